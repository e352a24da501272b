#pragma once
// A small seeded mutator for bounded fuzz runs inside the test suite: flips, inserts,
// deletes, overwrites with interesting values, truncates and splices, deterministically.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <random>
#include <vector>

namespace zavra::fuzz {

using Bytes = std::vector<uint8_t>;

inline Bytes Mutate(const Bytes& in, std::mt19937& rng) {
  Bytes b = in;
  const int steps = 1 + static_cast<int>(rng() % 8);
  for (int s = 0; s < steps; ++s) {
    const size_t n = b.size();
    switch (rng() % 7) {
      case 0:
        if (n) b[rng() % n] ^= static_cast<uint8_t>(1u << (rng() % 8));
        break;
      case 1:
        b.insert(b.begin() + (n ? rng() % (n + 1) : 0), static_cast<uint8_t>(rng()));
        break;
      case 2:
        if (n) b.erase(b.begin() + rng() % n);
        break;
      case 3: {  // an interesting 32-bit value somewhere
        static const uint32_t values[] = {0, 1, 2, 0x7F, 0x80, 0xFF, 0x100, 0x7FFF, 0xFFFF,
                                          0x10000, 0x7FFFFFFF, 0x80000000u, 0xFFFFFFFFu, 560, 176, 116};
        if (n >= 4) {
          const size_t at = rng() % (n - 3);
          const uint32_t v = values[rng() % (sizeof values / sizeof values[0])];
          for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
        }
        break;
      }
      case 4:
        if (n) b.resize(rng() % n);
        break;
      case 5:
        if (n) b[rng() % n] = static_cast<uint8_t>(rng());
        break;
      case 6:  // duplicate a slice
        if (n) {
          const size_t from = rng() % n, len = 1 + rng() % std::min<size_t>(n - from, 64);
          Bytes slice(b.begin() + from, b.begin() + from + len);
          b.insert(b.begin() + rng() % (b.size() + 1), slice.begin(), slice.end());
        }
        break;
    }
  }
  return b;
}

// Feeds `iterations` mutants of the seeds to the target, each built on a random earlier input.
inline void RunMutations(const std::vector<Bytes>& seeds, int iterations, uint32_t seed,
                         const std::function<void(const Bytes&)>& target) {
  std::mt19937 rng(seed);
  std::vector<Bytes> pool = seeds;
  for (const auto& s : seeds) target(s);
  for (int i = 0; i < iterations; ++i) {
    Bytes m = Mutate(pool[rng() % pool.size()], rng);
    target(m);
    if (pool.size() < 256 && rng() % 4 == 0) pool.push_back(std::move(m));
  }
}

}  // namespace zavra::fuzz

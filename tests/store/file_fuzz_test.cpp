// Bounded mutation runs of the two file readers. Each input is handed over in a buffer of
// exactly its size, so the sanitizers catch any read outside it.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "fuzz/Mutator.h"
#include "store/CategoryFile.h"
#include "store/NoteFile.h"
#include "store/NoteIndex.h"
#include "store/StoreNames.h"

namespace zavra {
int FuzzNoteFile(const uint8_t* data, size_t size);
int FuzzCategoryFile(const uint8_t* data, size_t size);
int FuzzNoteIndex(const uint8_t* data, size_t size);

namespace {

using fuzz::Bytes;

void RunExact(int (*target)(const uint8_t*, size_t), const Bytes& input) {
  const auto copy = std::make_unique<uint8_t[]>(input.size() ? input.size() : 1);
  if (!input.empty()) std::memcpy(copy.get(), input.data(), input.size());
  target(input.empty() ? nullptr : copy.get(), input.size());
}

std::vector<Bytes> NoteSeeds() {
  std::vector<Bytes> seeds;
  NOTE_PAD note;
  Bytes b;
  SerializeNote(note, b);
  seeds.push_back(b);
  note.flags = kNoteScheduled | kNoteOpenEnded;
  note.repeatKind = kRepeatWeekly;
  note.text = u"Text \U0001F600";
  note.link = u"note:1";
  note.sound = u"s.wav";
  note.skin = u"skin";
  note.excludes = {DateKey(2026, 3, 8), DateKey(2026, 3, 9)};
  SerializeNote(note, b);
  seeds.push_back(b);
  seeds.push_back(Bytes{'Q', 'N', 'F'});
  seeds.push_back(Bytes{});
  return seeds;
}

std::vector<Bytes> CategorySeeds() {
  std::vector<Bytes> seeds;
  NOTE_CATE cate;
  Bytes b;
  SerializeCategory(cate, b);
  seeds.push_back(b);
  cate.name = u"Name";
  cate.sound = u"x.wav";
  cate.skin = u"Skin";
  SerializeCategory(cate, b);
  seeds.push_back(b);
  seeds.push_back(Bytes{'Q', 'C', 'F', 1});
  return seeds;
}

std::vector<Bytes> IndexSeeds() {
  NoteIndexContent index;
  index.lastFullRead = 1'800'000'000;
  for (uint32_t id : {1u, 70u}) {
    NoteIndexEntry e;
    e.name = StoreFileName(StoreKind::kNote, id);
    e.stamp = {200, 133'000'000'000'000'000};
    e.note.fixed.id = id;
    e.note.fixed.flags = kNoteScheduled;
    e.note.title = u"Title";
    e.note.excludes = {DateKey(2026, 3, 8)};
    index.entries.push_back(e);
  }
  return {SerializeNoteIndex(index), SerializeNoteIndex(NoteIndexContent{}), Bytes{'Q', 'N', 'I', 1, 0}};
}

TEST(StoreFileFuzz, NoteIndexReaderSurvivesMutations) {
  fuzz::RunMutations(IndexSeeds(), 100000, 2023, [](const Bytes& in) { RunExact(FuzzNoteIndex, in); });
}

TEST(StoreFileFuzz, NoteReaderSurvivesMutations) {
  fuzz::RunMutations(NoteSeeds(), 200000, 2026, [](const Bytes& in) { RunExact(FuzzNoteFile, in); });
}

TEST(StoreFileFuzz, CategoryReaderSurvivesMutations) {
  fuzz::RunMutations(CategorySeeds(), 200000, 1208, [](const Bytes& in) { RunExact(FuzzCategoryFile, in); });
}

}  // namespace
}  // namespace zavra

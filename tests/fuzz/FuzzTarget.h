#pragma once
// Fuzz targets are plain functions so that the test suite can drive them with a bounded,
// seeded mutation run. Built alone with ZAVRA_LIBFUZZER defined, a target file becomes a
// libFuzzer program (clang -fsanitize=fuzzer,address,undefined -DZAVRA_LIBFUZZER ...).
#include <cstddef>
#include <cstdint>

#ifdef ZAVRA_LIBFUZZER
#define ZAVRA_FUZZ_ENTRY(fn) \
  extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) { return fn(data, size); }
#else
#define ZAVRA_FUZZ_ENTRY(fn)
#endif

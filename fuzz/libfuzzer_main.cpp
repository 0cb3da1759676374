// The libFuzzer entry point for one target, chosen when it is built.

#include "fuzz/targets/fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return fuzz::FUZZ_TARGET(data, size);
}

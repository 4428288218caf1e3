// libFuzzer entry: every input goes through load, parse and replay (ReaderFuzzBody.h).
#include "swf/reader/fuzz/ReaderFuzzBody.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  swf::fuzz::ExerciseReader(data, size);
  return 0;
}

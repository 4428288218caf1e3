// libFuzzer entry: every input is a card file, rendered headless (see FuzzInputs.h; built by scripts/fuzz).
#include <QCoreApplication>

#include "fuzz/FuzzInputs.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  static QCoreApplication application(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzinput::RenderCard(data, size);
  return 0;
}

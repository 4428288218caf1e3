// libFuzzer entry of the file-level targets: each is this file built with FUZZ_INPUT naming
// the function of FuzzInputs.h that its inputs go to (see CMakeLists.txt).
#include <QGuiApplication>

#include "fuzz/FuzzInputs.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  // As greetix-cli: screenless, with Qt's fonts for the text of SVG pictures.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication application(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzinput::FUZZ_INPUT(data, size);
  return 0;
}

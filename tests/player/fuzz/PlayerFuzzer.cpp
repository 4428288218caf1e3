// libFuzzer entry over the player: every input is loaded, played and drawn frame by frame.
// Built and run by scripts/fuzz.
#include <QGuiApplication>

#include <cstdlib>

#include "PlayEveryFrame.h"
#include "player/text/GlyphSource.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  // Text fields need a GUI application for their fonts; no display is used.
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static QGuiApplication application(*argc, *argv);
  // fontconfig sets itself up once for the process at the first device font: before the
  // first input, so the leak check does not take that for a leak of the input.
  player::DeviceGlyphs("sans-serif")->Advance(U'a', 240);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  playerfuzz::PlayEveryFrame(data, size);
  return 0;
}

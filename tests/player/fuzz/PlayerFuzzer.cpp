// libFuzzer entry over the player: every input is loaded, played and drawn frame by frame.
// Built only with -DGREETIX_BUILD_FUZZERS=ON and clang; give the libraries coverage with
// CMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined". Start it on the seeds:
//   build/<x>/bin/player_fuzzer tests/player/fuzz/corpus -max_len=65536 -rss_limit_mb=2048
#include <QGuiApplication>

#include <cstdlib>

#include "PlayEveryFrame.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  // Text fields need a GUI application for their fonts; no display is used.
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static QGuiApplication application(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  playerfuzz::PlayEveryFrame(data, size);
  return 0;
}

// Where the screen-saver host draws. xscreensaver starts its programs with "--root" (or
// "-root") and hands over its own window in XSCREENSAVER_WINDOW; other launchers pass
// "-window-id N". Without either the host opens its own full-screen window.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

struct THostWindow {
  std::optional<unsigned long> WindowId;  // the window to draw into
  bool Root = false;                      // asked for the whole screen
  QStringList Rest;                       // the arguments not about the window
  QString Error;                          // a window id that cannot be used
};

// Takes the window arguments out of `arguments`; `environmentWindow` is the value of
// XSCREENSAVER_WINDOW (decimal or "0x" hexadecimal, may be empty).
THostWindow TakeHostWindow(const QStringList& arguments, const QString& environmentWindow);

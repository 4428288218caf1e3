// Small movies made by our builder for the player program tests.
#pragma once

#include <QColor>
#include <QString>

#include "swf/builder/SwfAction.h"
#include "swf/builder/SwfMovie.h"
#include "swf/builder/SwfObject.h"

// A blue 200 x 100 stage of 30 frames with a large red "Hi" on frames 0 to 28.
inline void WriteCardMovie(const QString& path) {
  swf::TSwfMovie movie;
  movie.SetSize(200 * 20, 100 * 20);
  movie.SetFrameRate(12);
  movie.SetFrameBkColor(0, 0, 255);
  swf::TSwfObject text;
  text.MakeTextSimple("DejaVu Sans", "Hi", 20 * 20, 10 * 20, 70 * 20);
  text.SetSolidFill(255, 0, 0, 255);
  movie.GotoFrame(0);
  movie.AddObject(text);
  movie.GotoFrame(29);
  movie.RemoveObject(text);
  movie.WriteMovie(path.toStdString());
}

inline const QColor CardBackground(0, 0, 255);
inline const QColor CardText(255, 0, 0);

// Five frames with a stop action on frame 2 (counted from 0).
inline void WriteStoppingMovie(const QString& path) {
  swf::TSwfMovie movie;
  movie.SetSize(100 * 20, 100 * 20);
  swf::TSwfAction stop;
  stop.MakeActionStop();
  movie.GotoFrame(2);
  movie.AddAction(stop);
  swf::TSwfObject text;
  text.MakeTextSimple("DejaVu Sans", "x", 0, 0, 200);
  movie.GotoFrame(4);
  movie.AddObject(text);
  movie.WriteMovie(path.toStdString());
}

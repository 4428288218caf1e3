// A card of the command line tests rendered into its scratch folder, and a frame of the
// movie drawn by the player.
#pragma once

#include <QImage>
#include <QSize>

#include "CardFiles.h"
#include "player/MoviePlayer.h"
#include "swf/builder/SwfAction.h"
#include "swf/builder/SwfMovie.h"
#include "swf/builder/SwfObject.h"
#include "tools/CardRender.h"

// Writes the card as card.grx and renders it to card.swf; returns the movie's path.
inline std::string RenderCardXml(const TScratch& scratch, const std::string& card, int seed = 0)
{
  WriteAll(scratch.File("card.grx"), card);
  TCardRenderOptions options;
  options.CardFile = scratch.File("card.grx");
  options.OutputFile = scratch.File("card.swf");
  if (seed) options.Seed = seed;
  swf::TSwfMovie movie;
  swf::TSwfObject object;
  swf::TSwfAction action;
  RenderCardFile(options, movie, object, action, nullptr);
  return options.OutputFile;
}

// Frame `frame` of the card's movie, drawn at 640 x 480.
inline QImage DrawnCardFrame(const TScratch& scratch, const std::string& card, int frame)
{
  player::TMoviePlayer moviePlayer;
  moviePlayer.LoadFile(RenderCardXml(scratch, card), false);
  moviePlayer.GotoFrame(frame);
  return moviePlayer.RenderImage(QSize(640, 480)).convertToFormat(QImage::Format_RGB32);
}

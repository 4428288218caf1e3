// What the reader's fuzzer does with one input, shared with the regression test that
// replays the saved inputs: load, parse, replay every frame of every timeline, decode the
// bitmaps and describe the movie. Only TSwfError may come out of the library.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "swf/format/SwfError.h"
#include "swf/reader/BitmapData.h"
#include "swf/reader/DisplayList.h"
#include "swf/reader/MovieDescription.h"
#include "swf/reader/MovieParser.h"
#include "swf/reader/SwfFile.h"

namespace swf::fuzz {

inline void ReplayAll(const TTimeline& timeline) {
  TDisplayList list;
  for (uint32_t f = 0; f < timeline.FrameCount; ++f) list.ApplyFrame(timeline.Frame(f));
}

inline void ExerciseReader(const uint8_t* data, size_t size) {
  TSwfFile file;
  try {
    file = TSwfFile::FromBytes(std::span<const uint8_t>(data, size));
  } catch (const TSwfError&) {
    return;
  }
  TMovie movie = ParseMovie(file);
  ReplayAll(movie.Timeline);
  for (const auto& [id, character] : movie.Characters) {
    if (const TSprite* sprite = std::get_if<TSprite>(&character)) ReplayAll(sprite->Timeline);
    if (const TBitmap* bitmap = std::get_if<TBitmap>(&character)) {
      try {
        if (bitmap->IsJpeg()) {
          JpegStream(*bitmap, movie.JpegTables);
          DecodeJpegAlpha(*bitmap, 4, 4);
        } else {
          DecodeLossless(*bitmap);
        }
      } catch (const TSwfError&) {
      }
    }
  }
  // The description prints every frame's list again: keep it to short movies.
  if (movie.Timeline.FrameCount <= 256) {
    DescribeMovie(file, false);
    DescribeMovie(file, true);
  }
}

}  // namespace swf::fuzz

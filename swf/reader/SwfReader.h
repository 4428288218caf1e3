// The SWF reader at a glance.
//
//   SwfFile.h          TSwfFile: FWS/CWS/ZWS container, header, raw tag records
//   MovieParser.h      ParseMovie / LoadMovie: a TMovie with dictionary and timeline
//   SwfTags.h          the parsed value types (shapes, bitmaps, fonts, texts, sounds,
//                      place/remove, actions, frames, sprites)
//   TagParsers.h       the parser of each tag body
//   DisplayList.h      TDisplayList and ReplayTimeline (frame → depth → instance)
//   BitmapData.h       JPEG joining and lossless decoding
//   Decompress.h       bounded zlib and LZMA
//   MovieDescription.h a text or JSON dump of a movie
//
// Nothing here plays or draws; errors are TSwfError (swf/format/SwfError.h), which says
// the tag and byte offset. A damaged movie parses to what could be read, with warnings.
#pragma once

#include "swf/reader/BitmapData.h"
#include "swf/reader/Decompress.h"
#include "swf/reader/DisplayList.h"
#include "swf/reader/MovieDescription.h"
#include "swf/reader/MovieParser.h"
#include "swf/reader/SwfFile.h"
#include "swf/reader/SwfTags.h"
#include "swf/reader/TagParsers.h"

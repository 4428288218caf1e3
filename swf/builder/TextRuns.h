// Cuts one line of text into runs that HarfBuzz shapes one at a time: each run has one
// font face, one script and one writing direction. The runs come in visual order, left
// to right, after the Unicode bidirectional algorithm (ICU): a Hebrew or Arabic text reads
// from right to left with its numbers left to right, and a Latin word inside it keeps its
// place. Characters common to all scripts (spaces, digits, punctuation) join the script
// of the run they stand in, so an Arabic word is shaped with its joining forms even in a
// line that starts with Latin letters.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include <hb.h>

namespace swf {

class TFontFace;

struct TTextRun {
  size_t Start = 0;  // the run's characters are [Start, End) of the line
  size_t End = 0;
  TFontFace* Face = nullptr;
  hb_script_t Script = HB_SCRIPT_COMMON;
  bool RightToLeft = false;
};

// faceFor names the face that draws a character.
std::vector<TTextRun> VisualRuns(const std::u32string& line, const std::function<TFontFace&(char32_t)>& faceFor);

}  // namespace swf

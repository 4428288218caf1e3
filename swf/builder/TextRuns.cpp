#include "swf/builder/TextRuns.h"

#include <memory>

#include <unicode/ubidi.h>

namespace swf {
namespace {

// The embedding level of every character: even left to right, odd right to left. A line
// the bidirectional algorithm cannot take (it never happens for valid text) stays left to
// right.
std::vector<UBiDiLevel> BidiLevels(const std::u32string& line) {
  std::vector<UBiDiLevel> levels(line.size(), 0);
  std::u16string utf16;
  std::vector<int32_t> unitOf;  // the first UTF-16 unit of each character
  unitOf.reserve(line.size());
  for (char32_t c : line) {
    unitOf.push_back(static_cast<int32_t>(utf16.size()));
    if (c >= 0x10000) {
      utf16.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
      utf16.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    } else {
      utf16.push_back(static_cast<char16_t>(c));
    }
  }
  if (utf16.empty()) return levels;
  UErrorCode error = U_ZERO_ERROR;
  std::unique_ptr<UBiDi, decltype(&ubidi_close)> bidi(ubidi_openSized(static_cast<int32_t>(utf16.size()), 0, &error),
                                                       &ubidi_close);
  // The paragraph's direction is that of its first strong character.
  if (U_SUCCESS(error)) {
    ubidi_setPara(bidi.get(), utf16.data(), static_cast<int32_t>(utf16.size()), UBIDI_DEFAULT_LTR, nullptr, &error);
  }
  if (U_FAILURE(error)) return levels;
  const UBiDiLevel* unitLevels = ubidi_getLevels(bidi.get(), &error);
  if (U_FAILURE(error) || !unitLevels) return levels;
  for (size_t i = 0; i < line.size(); ++i) levels[i] = unitLevels[unitOf[i]];
  return levels;
}

bool IsRealScript(hb_script_t script) {
  return script != HB_SCRIPT_COMMON && script != HB_SCRIPT_INHERITED && script != HB_SCRIPT_UNKNOWN;
}

// The script of every character; common ones take the script before them, or after them
// at the start of the line.
std::vector<hb_script_t> Scripts(const std::u32string& line) {
  hb_unicode_funcs_t* unicode = hb_unicode_funcs_get_default();
  std::vector<hb_script_t> scripts(line.size(), HB_SCRIPT_COMMON);
  hb_script_t last = HB_SCRIPT_COMMON;
  size_t firstReal = line.size();
  for (size_t i = 0; i < line.size(); ++i) {
    hb_script_t script = hb_unicode_script(unicode, line[i]);
    if (IsRealScript(script)) {
      last = script;
      if (firstReal == line.size()) firstReal = i;
    }
    scripts[i] = last;
  }
  for (size_t i = 0; i < firstReal && firstReal < line.size(); ++i) scripts[i] = scripts[firstReal];
  return scripts;
}

}  // namespace

std::vector<TTextRun> VisualRuns(const std::u32string& line, const std::function<TFontFace&(char32_t)>& faceFor) {
  const std::vector<UBiDiLevel> levels = BidiLevels(line);
  const std::vector<hb_script_t> scripts = Scripts(line);
  std::vector<TTextRun> runs;
  std::vector<UBiDiLevel> runLevels;
  for (size_t i = 0; i < line.size(); ++i) {
    TFontFace* face = &faceFor(line[i]);
    if (runs.empty() || runs.back().Face != face || runs.back().Script != scripts[i] || runLevels.back() != levels[i]) {
      runs.push_back({i, i, face, scripts[i], (levels[i] & 1) != 0});
      runLevels.push_back(levels[i]);
    }
    runs.back().End = i + 1;
  }
  // Reverses the runs of every level from the highest down to the lowest odd one.
  std::vector<int32_t> logicalOf(runs.size());
  if (!runs.empty()) ubidi_reorderVisual(runLevels.data(), static_cast<int32_t>(runs.size()), logicalOf.data());
  std::vector<TTextRun> visual;
  visual.reserve(runs.size());
  for (int32_t index : logicalOf) visual.push_back(runs[static_cast<size_t>(index)]);
  return visual;
}

}  // namespace swf

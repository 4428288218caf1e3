// Rendering one text object into the recording builder and picking calls out of the record.
#pragma once

#include "RenderFixture.h"
#include "render/FlashText.h"

// Renders a card holding the given texts (object `index`) with the preview reporting
// `totalFrames`; returns the recording.
inline TRecording RenderText(const std::vector<TTextSpec>& texts, int totalFrames = 100, int index = 0,
                             std::optional<std::uint32_t> seed = 7)
{
  std::string objects;
  for (const auto& text : texts) objects += TextObjXml(text);
  TRenderFixture fixture(objects);
  fixture.Preview.Total = totalFrames;
  if (seed) fixture.Ctx.Random = TRandomSource(*seed);
  TFlashText renderer(fixture.Ctx);
  renderer.Render(index);
  return fixture.Builder.Recording;
}

inline TRecording RenderText(const TTextSpec& text, int totalFrames = 100)
{
  return RenderText(std::vector<TTextSpec>{text}, totalFrames);
}

// The calls of the `occurrence`-th frame step at `frame`: from its GotoFrame up to and
// including the next AddObject.
inline std::vector<TRecordedCall> FrameStepAt(const TRecording& recording, double frame, int occurrence = 0)
{
  const auto& calls = recording.Calls;
  for (std::size_t i = 0; i < calls.size(); ++i) {
    if (calls[i].Name != "GotoFrame" || calls[i].Numbers[0] != frame) continue;
    if (occurrence-- > 0) continue;
    std::vector<TRecordedCall> step;
    for (std::size_t j = i; j < calls.size(); ++j) {
      step.push_back(calls[j]);
      if (calls[j].Name == "AddObject") break;
    }
    return step;
  }
  return {};
}

// The first argument of the call of that name within a frame step; NaN when absent.
inline double ArgumentOf(const std::vector<TRecordedCall>& step, const std::string& name, std::size_t argument = 0)
{
  for (const auto& call : step)
    if (call.Name == name && argument < call.Numbers.size()) return call.Numbers[argument];
  return std::nan("");
}

// The GotoFrame values in order.
inline std::vector<double> Frames(const TRecording& recording)
{
  std::vector<double> frames;
  for (const auto& call : recording.Named("GotoFrame")) frames.push_back(call.Numbers[0]);
  return frames;
}

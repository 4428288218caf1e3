#include "render/RenderBudget.h"

void TRenderBudget::Reset()
{
  FrameSteps = 0;
  MediaBytes = 0;
}

void TRenderBudget::TakeFrameSteps(std::int64_t steps)
{
  const std::int64_t left = Limits.FrameSteps - FrameSteps;
  if (steps < 0 || steps > left)
    throw TRenderRefused("it needs " + std::to_string(steps) + " frame steps, and a card may take " +
                         std::to_string(Limits.FrameSteps) + " in all (" + std::to_string(left) + " are left).");
  FrameSteps += steps;
}

void TRenderBudget::TakeMediaBytes(std::int64_t bytes)
{
  if (bytes < 0 || bytes > Limits.MediaBytes - MediaBytes)
    throw TRenderRefused("its pictures and sounds would make the movie larger than " +
                         std::to_string(Limits.MediaBytes / (1024 * 1024)) + " MB.");
  MediaBytes += bytes;
}

void TRenderBudget::CheckTextLength(std::string_view utf8) const
{
  if (static_cast<std::int64_t>(utf8.size()) <= Limits.TextLength) return;
  std::int64_t characters = 0;
  for (char c : utf8) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  if (characters > Limits.TextLength)
    throw TRenderRefused("its text has " + std::to_string(characters) + " characters; a text may have " +
                         std::to_string(Limits.TextLength) + ".");
}

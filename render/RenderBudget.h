// What one render of a card may cost. Every object takes its share before it places
// anything; one that would pass a limit is refused as a whole, with a message, and the
// render goes on with the next. The limits are far above any card made by hand, and low
// enough that a render ends within a second and a few hundred megabytes.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

// An object the budget refuses; what() says why, without the object's name.
class TRenderRefused : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

struct TRenderLimits {
  // Placements of all objects together: one per frame step (per letter for letter effects).
  std::int64_t FrameSteps = 300000;
  // Characters of one text.
  std::int64_t TextLength = 10000;
  // Bytes of pictures and sounds that go into the movie.
  std::int64_t MediaBytes = 100 * 1024 * 1024;
};

class TRenderBudget {
public:
  explicit TRenderBudget(TRenderLimits limits = {}) : Limits(limits) {}
  const TRenderLimits& Limit() const { return Limits; }

  // Starts a new render: everything is left again.
  void Reset();
  // Throw TRenderRefused when the amount would pass what is left; take it otherwise.
  void TakeFrameSteps(std::int64_t steps);
  void TakeMediaBytes(std::int64_t bytes);
  void CheckTextLength(std::string_view utf8) const;

private:
  TRenderLimits Limits;
  std::int64_t FrameSteps = 0;
  std::int64_t MediaBytes = 0;
};

#include "render/RandomSource.h"

#include <chrono>

TRandomSource::TRandomSource(std::optional<std::uint32_t> fixedSeed) : FixedSeed(fixedSeed) {}

void TRandomSource::BeginRun()
{
  if (FixedSeed) {
    // A fixed seed starts the sequence once; later runs go on with it, so two texts of one
    // card still get different colours.
    if (!Seeded) Engine.seed(*FixedSeed);
  } else {
    auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    Engine.seed(static_cast<std::uint32_t>(ticks ^ (ticks >> 32)));
  }
  Seeded = true;
}

int TRandomSource::Below(int upperExclusive)
{
  if (!Seeded) BeginRun();
  if (upperExclusive <= 1) return 0;
  // Rejection keeps the draw exactly uniform and the same on every standard library.
  const std::uint32_t range = static_cast<std::uint32_t>(upperExclusive);
  const std::uint32_t limit = std::mt19937::max() - (std::mt19937::max() % range + 1) % range;
  std::uint32_t value;
  do {
    value = Engine();
  } while (value > limit);
  return static_cast<int>(value % range);
}

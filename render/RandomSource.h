// The pseudo-random numbers of the colour effects. In the editor every run of an effect is
// seeded from the clock, so two renders differ; with a fixed seed (tests, the command line)
// the whole sequence is reproducible.
#pragma once

#include <cstdint>
#include <optional>
#include <random>

class TRandomSource {
public:
  // No seed: clock-seeded at every BeginRun. A seed: seeded once, at the first BeginRun.
  explicit TRandomSource(std::optional<std::uint32_t> fixedSeed = std::nullopt);

  // Called once at the start of each run of an effect.
  void BeginRun();
  // A whole number uniform in 0 .. upperExclusive - 1 (upperExclusive >= 1).
  int Below(int upperExclusive);

private:
  std::optional<std::uint32_t> FixedSeed;
  bool Seeded = false;
  std::mt19937 Engine;
};

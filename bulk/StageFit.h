// Whether a card's texts, their fields filled with a row's values, stay on the stage: a
// long name makes a line that runs off the card's edge. The texts are laid out as the
// render lays them out (whole, or letter by letter for the letter effects), where they
// stand once their effect has brought them in.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "render/TextFields.h"

class TStageFit {
public:
  // Reads the card; throws std::runtime_error for a card that cannot be read.
  explicit TStageFit(const std::string& cardFile);
  ~TStageFit();
  TStageFit(const TStageFit&) = delete;
  TStageFit& operator=(const TStageFit&) = delete;

  // The texts with fields that, filled with these values, reach beyond the stage, as
  // filled. Texts without fields are the card's own design and are not checked.
  std::vector<std::string> TextsOffStage(const TFieldValues& values);

private:
  struct TState;
  std::unique_ptr<TState> State;
};

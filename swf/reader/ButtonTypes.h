// Parsed buttons: DefineButton and DefineButton2 with the colour transform of
// DefineButtonCxform and the sounds of DefineButtonSound.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "swf/format/SwfTypes.h"
#include "swf/reader/ActionTypes.h"
#include "swf/reader/FilterTypes.h"
#include "swf/reader/SoundTypes.h"

namespace swf {

// The four states a button record can appear in.
enum TButtonState : uint8_t {
  ButtonUp = 0x01,
  ButtonOver = 0x02,
  ButtonDown = 0x04,
  ButtonHitTest = 0x08,
};

// One character of a button, shown in the states its flags name.
struct TButtonRecord {
  uint8_t States = 0;  // TButtonState bits
  uint16_t CharacterId = 0;
  uint16_t Depth = 0;
  TMatrix Matrix;
  TCxForm CxForm;  // DefineButton2 only
  TFilterList Filters;
  uint8_t BlendMode = 0;
  bool operator==(const TButtonRecord&) const = default;
};

// The mouse transitions of BUTTONCONDACTION, as bits of its 16-bit condition field.
enum TButtonCondition : uint16_t {
  CondOverDownToIdle = 0x0001,
  CondIdleToOverUp = 0x0100,
  CondOverUpToIdle = 0x0200,
  CondOverUpToOverDown = 0x0400,
  CondOverDownToOverUp = 0x0800,   // the release over the button: a click
  CondOverDownToOutDown = 0x1000,
  CondOutDownToOverDown = 0x2000,
  CondOutDownToIdle = 0x4000,
  CondIdleToOverDown = 0x8000,
};

struct TButtonAction {
  uint16_t Conditions = CondOverDownToOverUp;  // DefineButton's actions run at the release
  uint8_t KeyCode = 0;                         // CondKeyPress, not used by this program
  TDoAction Actions;
  bool operator==(const TButtonAction&) const = default;
};

struct TButton {
  uint16_t Id = 0;
  uint8_t Version = 1;        // 1 = DefineButton, 2 = DefineButton2
  bool TrackAsMenu = false;
  std::vector<TButtonRecord> Records;
  std::vector<TButtonAction> Actions;
  std::optional<TCxForm> CxForm;  // DefineButtonCxform: for every record of a DefineButton
  // DefineButtonSound, in its order: over-up to idle, idle to over-up, over-up to
  // over-down, over-down to over-up.
  std::array<std::optional<TStartSound>, 4> Sounds;
  bool operator==(const TButton&) const = default;
};

}  // namespace swf

// The text effects, each in its own file, registered by name: a new effect is a new file.
// An effect turns the loaded text object into frame-by-frame builder calls and ends with
// the object's Finish.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

class TFlashText;

// Runs the effect for a text object that has just been loaded and cut into units.
using TTextEffectRun = std::function<void(TFlashText& text)>;

// The families the text panel groups the effects by.
inline constexpr const char* ClassicFamily = "Classic";
inline constexpr const char* EntranceFamily = "Entrance";
inline constexpr const char* ExitFamily = "Exit";
inline constexpr const char* EmphasisFamily = "Emphasis";

struct TTextEffect {
  std::string Name;  // as the card file and the text panel spell it
  int DefaultLength; // EndTime - StartTime the panel gives a text when the effect is picked
  TTextEffectRun Run;
  std::string Family = ClassicFamily;
};

class TTextEffectRegistry {
public:
  // Adds an effect; a name registered twice keeps its first entry.
  static void Register(TTextEffect effect);
  // The effect of exactly that name (case-sensitive); nullptr when none.
  static const TTextEffect* Find(const std::string& name);
  // The names in the order the text panel lists them (sorted by text).
  static std::vector<std::string> Names();
  static std::optional<int> DefaultLength(const std::string& name);
  // The family of the effect of that name; empty when none.
  static std::string Family(const std::string& name);
  // The families in the order the panel shows them, each with its names in order.
  static std::vector<std::pair<std::string, std::vector<std::string>>> ByFamily();
};

// Registers an effect at start-up, in the effect's own file.
struct TTextEffectRegistrar {
  TTextEffectRegistrar(const char* name, int defaultLength, TTextEffectRun run, const char* family = ClassicFamily)
  {
    TTextEffectRegistry::Register({name, defaultLength, std::move(run), family});
  }
};

// The picture effects by name: the two the picture panel offers and the two a card file may
// name that show nothing. Each ends with the object's Finish where it made a shape.
#pragma once

#include <string>
#include <vector>

class TFlashPic;

struct TPicEffect {
  std::string Name;
  bool Offered; // listed in the picture panel
  void (*Run)(TFlashPic& picture);
};

class TPicEffects {
public:
  // Choosing any of the four effects gives the picture this many frames after its first.
  static constexpr int DefaultLength = 24;
  // The effect of exactly that name; nullptr when none.
  static const TPicEffect* Find(const std::string& name);
  // The names the picture panel lists, sorted by text.
  static std::vector<std::string> OfferedNames();
};

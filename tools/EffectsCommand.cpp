#include "tools/EffectsCommand.h"

#include <cstdio>

#include "render/effects/TextEffect.h"

namespace tools {

int RunEffects(int argc, char** argv)
{
  if (argc > 1) {
    std::fprintf(stderr, "greetix-cli effects: unexpected argument \"%s\"\n", argv[1]);
    return 2;
  }
  for (const auto& [family, names] : TTextEffectRegistry::ByFamily())
    for (const std::string& name : names) std::printf("%s\t%s\n", family.c_str(), name.c_str());
  return 0;
}

}  // namespace tools

// The command line's "effects": every text effect a card may name, with its family.
#pragma once

namespace tools {

// greetix-cli effects
// Prints one line per effect, "FAMILY<tab>NAME", families in the text panel's order and
// names sorted within each. Returns 0, or 2 for unexpected arguments.
int RunEffects(int argc, char** argv);

}  // namespace tools

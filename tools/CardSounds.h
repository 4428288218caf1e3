// Headless renders use a card's sounds without the editor having imported them first: the
// converted sound (Sound.ext_tmp.wav beside it, or in the cache folder where the card's
// folder cannot be written) is made on demand from whatever sound kind the card names.
#pragma once

#include <string>

class IUserMessages;
class TRenderContext;

namespace tools {

// Converts every sound of the card whose converted file is missing or older than the sound
// itself. `context` resolves the card's relative paths (its CardFolder and ProgramFolder
// set). A sound that cannot be converted is told through `messages` (may be null); the
// render then reports it as it reports any unusable sound.
void PrepareCardSounds(const std::string& cardFile, const TRenderContext& context, IUserMessages* messages);

} // namespace tools

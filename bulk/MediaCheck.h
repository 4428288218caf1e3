// Whether an exported file found under a card's name is whole: the cheap checks of its
// container (sizes that add up to the file, the closing marks) a rerun makes before it
// trusts the file instead of making it again.
#pragma once

#include <string>

// True for a whole MP4, WebM, GIF, WebP or PNG file or exported web page, chosen by the extension; false for
// anything cut short, any other kind of file and a file that is not there.
bool IsCompleteMedia(const std::string& file);

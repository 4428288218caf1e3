// Whether a card found under its name is whole, so a rerun can trust it instead of making
// it again: the cheap checks of each kind of file (sizes that add up to the file, the
// closing marks), and the set of files a card of each format is.
#pragma once

#include <string>
#include <vector>

// True when the file is a whole SWF movie (its header's length is the file's size).
bool IsCompleteMovie(const std::string& file);
// True when the file is a whole player executable: a trailer whose movie is whole.
bool IsCompleteProjector(const std::string& file);
// True for a whole MP4, WebM, GIF, WebP or PNG file or exported web page, chosen by the
// extension; false for anything cut short, any other kind of file and a file that is not there.
bool IsCompleteMedia(const std::string& file);

// The files a card of the format is: the target alone, or for a web page (NAME.html) the
// page with its videos and poster beside it (NAME.webm, NAME.mp4, NAME.png).
std::vector<std::string> CardFiles(const std::string& target, const std::string& format);
// True when every file of the card is there and whole.
bool IsCompleteCard(const std::string& target, const std::string& format);

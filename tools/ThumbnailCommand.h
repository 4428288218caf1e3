// The command line's "thumbnail": the picture a file manager shows for a card or a movie.
#pragma once

namespace tools {

// greetix-cli thumbnail IN OUT.png --size N
// IN is a card (.grx) or a SWF movie, told apart by its first bytes. A card is rendered as
// the editor's preview does. The picture shows the frame a third of the way into the
// movie (the opening frames of a card are often still empty) and its longer side is N
// pixels. Returns 0 on success, 1 with a one-line error when IN cannot be read or OUT not
// written, 2 for wrong arguments.
int RunThumbnail(int argc, char** argv);

}  // namespace tools

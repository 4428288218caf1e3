// The command line's "info": what a movie holds, without a window.
#pragma once

namespace tools {

// greetix-cli info MOVIE.swf [--json]
// argv[0] is the command name ("info"). Prints the header, the tag list (name, code, size,
// offset) and the display list of every frame (depth: id, matrix, colour transform), as
// text or as one JSON document. Returns 0 on success, 1 with a one-line error on stderr
// when the movie cannot be read, 2 for wrong arguments.
int RunInfo(int argc, char** argv);

}  // namespace tools

// The command line's "frame": one frame of a movie drawn by the player, as a PNG file.
#pragma once

namespace tools {

// greetix-cli frame MOVIE.swf N -o OUT.png [--width W]
// argv[0] is the command name ("frame"). Frame N counts from 0 and is what the movie shows
// after playing N frames from its start: a movie that stops holds its frame, one that
// loops comes round again. The picture is W pixels wide (the stage width when not given)
// and as high as the stage's proportions make it. Returns 0 on success, 1 with a one-line
// error on stderr when the movie cannot be read or the PNG not written, 2 for wrong
// arguments.
int RunFrame(int argc, char** argv);

}  // namespace tools

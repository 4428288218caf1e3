// The command line's "export": a card or a movie as a video, an animated picture, a poster,
// a web page or a compressed movie.
#pragma once

namespace tools {

// greetix-cli export IN.grx|IN.swf -o OUT.mp4|webm|gif|webp|png|html|swf [--scale S]
//   [--width W] [--loops N] [--seed N] [--quality Q]
// argv[0] is the command name ("export"). A card is rendered as Save renders it, then
// exported. On a terminal a progress line is shown; Ctrl-C stops the export and leaves
// nothing behind. Returns 0 on success, 1 with a one-line error on stderr when the input
// cannot be read or the output not written, 2 for wrong arguments.
int RunExport(int argc, char** argv);

}  // namespace tools

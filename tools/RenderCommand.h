// The command line's "render": a card file into a SWF movie without a window.
#pragma once

namespace tools {

// greetix-cli render CARD.grx -o OUT.swf [--final] [--seed N] [--set Name=Value]...
// --set gives a value to the "{Name}" fields of the texts (repeatable).
// argv[0] is the command name ("render"). Renders as the editor's preview does, or with
// --final as Save and Export do. Returns 0 on success, 1 with a one-line error on stderr
// for a card that cannot be read or a movie that cannot be written, 2 for wrong arguments.
int RunRender(int argc, char** argv);

} // namespace tools

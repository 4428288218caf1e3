// The command line's "batch": a personalised card for every row of a list.
#pragma once

namespace tools {

// greetix-cli batch CARD.grx LIST.csv -o DIR [--format F] [--name P] [--jobs N]
//                   [--shard I/N] [--seed N] [--progress]
// --progress prints "progress DONE TOTAL" on standard output after every row.
// Returns 0 when every row of the shard was made (or was already there), 1 when a row
// failed or the run could not start, 2 for wrong arguments.
int RunBatchCommand(int argc, char** argv);

} // namespace tools

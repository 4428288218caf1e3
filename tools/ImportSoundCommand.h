// The command line's "import-sound": the editor's sound import without a window.
#pragma once

namespace tools {

// greetix-cli import-sound IN [-o OUT.wav]
// argv[0] is the command name ("import-sound"). Decodes IN (MP3 or any sound libsndfile
// reads) into a 16-bit mono WAV at a SWF sound rate: OUT.wav when given, otherwise IN
// followed by "_tmp.wav" as the editor writes it. Prints the written path; returns 0 on
// success, 1 with a one-line error on stderr, 2 for wrong arguments.
int RunImportSound(int argc, char** argv);

}  // namespace tools

// The greetix-cli commands "swf2exe" and "exe2swf": the projector conversion without a window.
#pragma once

// argv[0] is the command's own name, then its arguments:
//   swf2exe IN.swf OUT.exe   (the projector is "FlashPla.exe" in the program's folder)
//   exe2swf IN.exe OUT.swf
// Exit status 0 on success, 1 with a one-line error on standard error.
int RunSwf2Exe(int argc, char** argv);
int RunExe2Swf(int argc, char** argv);

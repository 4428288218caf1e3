// The folders the desktop gives a program: its own folder, the system folder, short names.
#pragma once

#include <QString>

namespace Platform {

// The folder of the running program; files shipped with it lie there.
// SetProgramFolder replaces it (tests); an empty name restores it.
QString ProgramFolder();
void SetProgramFolder(const QString& folder);

// The per-user folder that stands for the desktop's system folder: screen-saver files
// are installed there. GREETIX_SYSTEM_DIR or SetSystemFolder replace it; by default it is
// "<user data folder>/Greetix/system". The folder is not created here.
QString SystemFolder();
void SetSystemFolder(const QString& folder);

// The short (8.3) form of an existing file's path. This file system keeps no short
// names, so it is the path itself; empty when nothing exists there.
QString ShortPathName(const QString& path);

} // namespace Platform

// The editor's audio import: the one sound importer of the program run, whose module
// libraries stay loaded from one import to the next and are released at program end (the
// input library first).
#pragma once

#include <memory>

#include "plugins/SoundImport.h"

// The importer of the run over the standard modules, made on first use.
plugins::TSoundImporter& SoundImporter();

// Replaces the importer of the run (tests use one over modules of their own); null makes a
// standard one again on next use.
void SetSoundImporter(std::unique_ptr<plugins::TSoundImporter> importer);

// Inputs of the file-based fuzz targets are written to a folder of the process's own, made
// once and removed at exit, so thousands of runs a second touch no user folder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzzinput {

// The folder, with a trailing slash.
const std::string& ScratchFolder();

// Writes the bytes to ScratchFolder() + name, replacing what was there; returns the path.
std::string WriteScratchFile(const std::string& name, const uint8_t* data, size_t size);

}  // namespace fuzzinput

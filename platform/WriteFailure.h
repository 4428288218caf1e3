// Why a file could not be written, in the words the program's messages use, and whether a
// folder's disk is full (so that a run of many files stops instead of failing each).
#pragma once

#include <string>

namespace files {

// "no space left on the device", "the disk quota is used up", "the file would be larger
// than allowed", ...; the system's own words for the rarer errors.
std::string WriteFailureText(int error);

// Whether the message tells of a full disk or the folder's file system has no room left
// for the user.
bool IsDiskFull(const std::string& message, const std::string& folder);

} // namespace files

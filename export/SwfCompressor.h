// A smaller copy of a movie for sending: its uncompressed 16-bit sounds become MP3 and the
// whole file is zlib-compressed (signature CWS). Every other tag is copied byte for byte.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "export/ExportOptions.h"

namespace exporter {

// The movie's bytes, rewritten; throws TExportError for a file that is not a movie.
std::vector<uint8_t> CompressedMovie(const std::string& moviePath, const TExportOptions& options);

// Writes CompressedMovie to path; messages name the file shownName.
void CompressMovie(const std::string& moviePath, const std::string& path, const std::string& shownName,
                   const TExportOptions& options);

}  // namespace exporter

// Helpers of the builder tests: a private temporary folder, JPEG and wave files made on
// the spot, and movies read back through the SWF reader.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "support/HexBytes.h"
#include "swf/reader/DisplayList.h"
#include "swf/reader/MovieTypes.h"

namespace swf::test {

class TTempDir {
 public:
  TTempDir();
  ~TTempDir();
  std::string Path(const std::string& name) const { return FPath + "/" + name; }
  const std::string& Path() const { return FPath; }

 private:
  std::string FPath;
};

// A width x height JPEG: left half red, right half blue.
void WriteJpeg(const std::string& path, int width, int height);
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> ReadBytes(const std::string& path);

// A wave file of the given format with count samples per channel of a ramp.
void WriteWave(const std::string& path, uint32_t rate, uint16_t channels, uint16_t bits, uint32_t count,
               uint16_t formatTag = 1);

// The top-level tag codes of a movie, in file order.
std::vector<uint16_t> TagCodes(const std::vector<uint8_t>& movie);

// The display list of a frame: depth -> instance, through the reader's replay.
std::map<uint16_t, TDisplayObject> DisplayAt(const TMovie& movie, uint32_t frame);

// The character ids shown at a frame, back to front.
std::vector<uint16_t> ShownIds(const TMovie& movie, uint32_t frame);

}  // namespace swf::test

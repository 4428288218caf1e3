// The error of a picture or sound file that cannot be decoded: damaged, cut short, hostile
// or of a kind no decoder takes. The text names the file and is shown to the user as it is.
#pragma once

#include <stdexcept>
#include <string>

namespace media {

class TMediaError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace media

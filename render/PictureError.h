// The error of a picture file that cannot be read or written: damaged, not a picture of its
// kind, missing or unwritable. The text is shown to the user as it is.
#pragma once

#include <stdexcept>
#include <string>

class TPictureError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

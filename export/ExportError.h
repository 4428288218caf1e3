// Errors of an export: the message is the text the user sees.
#pragma once

#include <stdexcept>
#include <string>

namespace exporter {

class TExportError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The export was stopped on request; nothing was left behind.
class TExportCancelled : public TExportError {
 public:
  TExportCancelled() : TExportError("The export was cancelled.") {}
};

}  // namespace exporter

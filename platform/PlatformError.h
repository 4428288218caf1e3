// The error type of the system layers: carries the text the user sees.
#pragma once

#include <QString>
#include <stdexcept>

namespace Platform {

class TPlatformError : public std::runtime_error {
public:
  explicit TPlatformError(const QString& message)
      : std::runtime_error(message.toStdString()) {}
  QString Message() const { return QString::fromUtf8(what()); }
};

} // namespace Platform

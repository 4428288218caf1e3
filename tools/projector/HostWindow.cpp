#include "tools/projector/HostWindow.h"

namespace {

std::optional<unsigned long> ParseWindowId(const QString& text) {
  bool ok = false;
  const QString trimmed = text.trimmed();
  const unsigned long id = trimmed.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)
                               ? trimmed.mid(2).toULong(&ok, 16)
                               : trimmed.toULong(&ok, 10);
  if (!ok || id == 0)
    return std::nullopt;
  return id;
}

} // namespace

THostWindow TakeHostWindow(const QStringList& arguments, const QString& environmentWindow) {
  THostWindow host;
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    if (argument == QLatin1String("-root") || argument == QLatin1String("--root")) {
      host.Root = true;
    } else if (argument == QLatin1String("-window-id") || argument == QLatin1String("--window-id")) {
      const QString value = i + 1 < arguments.size() ? arguments[++i] : QString();
      host.WindowId = ParseWindowId(value);
      if (!host.WindowId) {
        host.Error = QStringLiteral("%1 needs a window number, not \"%2\".").arg(argument, value);
        return host;
      }
    } else {
      host.Rest << argument;
    }
  }
  // The window xscreensaver made for us; a broken value leaves the host its own window.
  if (!host.WindowId && !environmentWindow.isEmpty())
    host.WindowId = ParseWindowId(environmentWindow);
  return host;
}

#include "app/ExportSizes.h"

#include "platform/PlatformError.h"
#include "platform/Registry.h"

namespace {

const char* const SizeValue = "ExportSize";

QString Key(const TExportSize& size) {
  return size.Width > 0 ? QStringLiteral("%1x%2").arg(size.Width).arg(size.Height) : QStringLiteral("card");
}

} // namespace

const QList<TExportSize>& ExportSizes() {
  static const QList<TExportSize> sizes = {
      {QStringLiteral("The card's own size"), 0, 0},
      {QStringLiteral("1280 \u00d7 720 (HD)"), 1280, 720},
      {QStringLiteral("1920 \u00d7 1080 (Full HD)"), 1920, 1080},
      {QStringLiteral("1080 \u00d7 1080 (square)"), 1080, 1080},
      {QStringLiteral("1080 \u00d7 1920 (upright)"), 1080, 1920},
  };
  return sizes;
}

QStringList ExportSizeNames() {
  QStringList names;
  for (const TExportSize& size : ExportSizes())
    names << size.Name;
  return names;
}

int RememberedExportSize() {
  const QString kept = Platform::TRegistry::Read(QString::fromLatin1(Platform::CommonKey), QString::fromLatin1(SizeValue));
  for (int i = 0; i < ExportSizes().size(); ++i)
    if (Key(ExportSizes()[i]) == kept)
      return i;
  return 0;
}

void RememberExportSize(int index) {
  if (index < 0 || index >= ExportSizes().size())
    return;
  try {
    Platform::TRegistry::Write(QString::fromLatin1(Platform::CommonKey), QString::fromLatin1(SizeValue),
                               Key(ExportSizes()[index]));
  } catch (const Platform::TPlatformError&) {
    // Not kept: the next export offers the card's own size again.
  }
}

void ApplyExportSize(int index, exporter::TExportOptions& options) {
  if (index < 0 || index >= ExportSizes().size())
    return;
  options.FrameWidth = ExportSizes()[index].Width;
  options.FrameHeight = ExportSizes()[index].Height;
}

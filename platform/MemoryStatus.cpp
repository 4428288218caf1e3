#include "platform/MemoryStatus.h"

#include <QFile>
#include <QList>

namespace Platform {

TMemoryStatus ParseMemInfo(const QByteArray& text) {
  TMemoryStatus status;
  bool haveAvailable = false;
  quint64 freeBytes = 0, buffers = 0, cached = 0;
  for (const QByteArray& line : text.split('\n')) {
    const int colon = line.indexOf(':');
    if (colon <= 0)
      continue;
    const QByteArray name = line.left(colon).trimmed();
    const QList<QByteArray> words = line.mid(colon + 1).simplified().split(' ');
    bool ok = false;
    const quint64 kilobytes = words.value(0).toULongLong(&ok);
    if (!ok || kilobytes > (~quint64(0) >> 10))
      continue;
    const quint64 bytes = kilobytes * 1024;
    if (name == "MemTotal")
      status.TotalPhys = bytes;
    else if (name == "MemAvailable") {
      status.AvailPhys = bytes;
      haveAvailable = true;
    } else if (name == "MemFree")
      freeBytes = bytes;
    else if (name == "Buffers")
      buffers = bytes;
    else if (name == "Cached")
      cached = bytes;
    else if (name == "SwapTotal")
      status.TotalPageFile = bytes;
    else if (name == "SwapFree")
      status.AvailPageFile = bytes;
  }
  // Old kernels give no MemAvailable; free plus reclaimable caches comes closest.
  if (!haveAvailable)
    status.AvailPhys = freeBytes + buffers + cached;
  status.AvailPhys = qMin(status.AvailPhys, status.TotalPhys);
  status.AvailPageFile = qMin(status.AvailPageFile, status.TotalPageFile);
  if (status.TotalPhys > 0)
    status.MemoryLoad =
        int((status.TotalPhys - status.AvailPhys) * 100.0 / double(status.TotalPhys) + 0.5);
  return status;
}

TMemoryStatus GlobalMemoryStatus() {
  QFile file(QStringLiteral("/proc/meminfo"));
  if (!file.open(QIODevice::ReadOnly))
    return {};
  // /proc files report no size; a few kilobytes is all there is.
  return ParseMemInfo(file.read(64 * 1024));
}

} // namespace Platform

// How much memory the machine has and how much of it is in use (for the About box).
#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace Platform {

struct TMemoryStatus {
  int MemoryLoad = 0;        // percent of physical memory in use, 0..100
  quint64 TotalPhys = 0;     // bytes
  quint64 AvailPhys = 0;     // bytes
  quint64 TotalPageFile = 0; // swap, bytes
  quint64 AvailPageFile = 0; // swap, bytes
};

// Reads the figures of the running system; all zero where they cannot be read.
TMemoryStatus GlobalMemoryStatus();

// Reads the figures from the text of /proc/meminfo (values in kB).
TMemoryStatus ParseMemInfo(const QByteArray& text);

} // namespace Platform

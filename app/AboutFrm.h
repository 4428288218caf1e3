// The About box: the product, its version, the maker and the machine's memory figures.
#pragma once

#include <QDialog>

#include "platform/MemoryStatus.h"

class QLabel;

// Background of the About box: red 200, green 228, blue 169.
inline constexpr unsigned AboutFormColor = 11134152;

// The version of this build ("3.0.0"), as the build system numbered it.
QString ProgramFileVersion();

// "16,384,000 KB": bytes shown as whole kilobytes with thousands separators.
QString FormatKilobytes(quint64 bytes);

class TAboutForm : public QDialog {
  Q_OBJECT
public:
  explicit TAboutForm(QWidget* parent = nullptr,
                      const Platform::TMemoryStatus& memory = Platform::GlobalMemoryStatus());

  QLabel* ProgramIcon = nullptr;
  QLabel* ProductName = nullptr;
  QLabel* LabelVersion = nullptr;
  QLabel* Copyright = nullptr;
  QLabel* PhysMemLabel = nullptr;
  QLabel* PhysMem = nullptr;
  QLabel* FreeResLabel = nullptr;
  QLabel* FreeRes = nullptr;

protected:
  void showEvent(QShowEvent* event) override;
};

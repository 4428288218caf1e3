// TColorButton: a flat button showing a colour, with a drop-down palette of fixed colours
// and a "More Color..." entry that opens the colour dialog. Colours are 0x00BBGGRR.
#pragma once

#include <QPointer>
#include <QToolButton>
#include <cstdint>
#include <vector>

#include <QColorDialog>
class QMenu;

class TColorButton : public QToolButton {
  Q_OBJECT
public:
  explicit TColorButton(QWidget* parent);

  std::uint32_t Color() const { return Value; }
  // Emits Changed when the colour differs from the one shown.
  void SetColor(std::uint32_t colour);

  // The palette's colours, row by row (8 a row).
  static const std::vector<std::uint32_t>& PaletteColors();
  static QColor ToQColor(std::uint32_t colour);
  static std::uint32_t FromQColor(const QColor& colour);

  // The drop-down palette, made on first use.
  QMenu* Palette();
  // The colour dialog of "More Color..." while it is open.
  QColorDialog* ColorDialog() const { return Dialog; }

  static constexpr int ArrowWidth = 10;
  static constexpr int PaletteSpacing = 8;

public slots:
  // Opens the palette below the button.
  void DropDown();
  // Opens the colour dialog with the current colour.
  void MoreColor();

signals:
  void Changed();

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  void BuildPalette();
  std::uint32_t Value = 0;
  QMenu* Menu = nullptr;
  QPointer<QColorDialog> Dialog;
};

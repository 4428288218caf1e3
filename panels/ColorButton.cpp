#include "panels/ColorButton.h"

#include <QColorDialog>
#include <QGridLayout>
#include <QMenu>
#include <QPainter>
#include <QStyleOptionToolButton>
#include <QWidgetAction>

namespace {

constexpr std::uint32_t Rgb(int red, int green, int blue) {
  return static_cast<std::uint32_t>(red) | (static_cast<std::uint32_t>(green) << 8) |
         (static_cast<std::uint32_t>(blue) << 16);
}

QPixmap Swatch(std::uint32_t colour, int side) {
  QPixmap pixmap(side, side);
  pixmap.fill(TColorButton::ToQColor(colour));
  QPainter painter(&pixmap);
  painter.setPen(QColor(128, 128, 128));
  painter.drawRect(0, 0, side - 1, side - 1);
  return pixmap;
}

} // namespace

TColorButton::TColorButton(QWidget* parent) : QToolButton(parent) {
  setAutoRaise(true);
  setFocusPolicy(Qt::StrongFocus);
}

const std::vector<std::uint32_t>& TColorButton::PaletteColors() {
  static const std::vector<std::uint32_t> colours = {
      Rgb(0, 0, 0),       Rgb(153, 51, 0),    Rgb(51, 51, 0),     Rgb(0, 51, 0),
      Rgb(0, 51, 102),    Rgb(0, 0, 128),     Rgb(51, 51, 153),   Rgb(51, 51, 51),
      Rgb(128, 0, 0),     Rgb(255, 102, 0),   Rgb(128, 128, 0),   Rgb(0, 128, 0),
      Rgb(0, 128, 128),   Rgb(0, 0, 255),     Rgb(102, 102, 153), Rgb(128, 128, 128),
      Rgb(255, 0, 0),     Rgb(255, 153, 0),   Rgb(153, 204, 0),   Rgb(51, 153, 102),
      Rgb(51, 204, 204),  Rgb(51, 102, 255),  Rgb(128, 0, 128),   Rgb(153, 153, 153),
      Rgb(255, 0, 255),   Rgb(255, 204, 0),   Rgb(255, 255, 0),   Rgb(0, 255, 0),
      Rgb(0, 255, 255),   Rgb(0, 204, 255),   Rgb(153, 51, 102),  Rgb(192, 192, 192),
      Rgb(255, 153, 204), Rgb(255, 204, 153), Rgb(255, 255, 153), Rgb(204, 255, 204),
      Rgb(204, 255, 255), Rgb(153, 204, 255), Rgb(204, 153, 255), Rgb(255, 255, 255),
  };
  return colours;
}

QColor TColorButton::ToQColor(std::uint32_t colour) {
  return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

std::uint32_t TColorButton::FromQColor(const QColor& colour) {
  return Rgb(colour.red(), colour.green(), colour.blue());
}

void TColorButton::SetColor(std::uint32_t colour) {
  colour &= 0xFFFFFF;
  if (colour == Value)
    return;
  Value = colour;
  update();
  emit Changed();
}

QMenu* TColorButton::Palette() {
  if (!Menu)
    BuildPalette();
  return Menu;
}

void TColorButton::BuildPalette() {
  Menu = new QMenu(this);
  Menu->setObjectName(QStringLiteral("ColorPalette"));
  auto* grid = new QWidget(Menu);
  auto* layout = new QGridLayout(grid);
  layout->setSpacing(PaletteSpacing / 2);
  layout->setContentsMargins(PaletteSpacing, PaletteSpacing / 2, PaletteSpacing, PaletteSpacing / 2);
  const auto& colours = PaletteColors();
  for (std::size_t i = 0; i < colours.size(); ++i) {
    auto* swatch = new QToolButton(grid);
    const std::uint32_t colour = colours[i];
    swatch->setObjectName(QStringLiteral("Swatch%1").arg(i));
    swatch->setAutoRaise(true);
    swatch->setIcon(Swatch(colour, 14));
    swatch->setIconSize(QSize(14, 14));
    swatch->setToolTip(ToQColor(colour).name().toUpper());
    connect(swatch, &QToolButton::clicked, this, [this, colour] {
      Menu->close();
      SetColor(colour);
    });
    layout->addWidget(swatch, static_cast<int>(i / 8), static_cast<int>(i % 8));
  }
  auto* gridAction = new QWidgetAction(Menu);
  gridAction->setDefaultWidget(grid);
  Menu->addAction(gridAction);
  Menu->addSeparator();
  QAction* more = Menu->addAction(QStringLiteral("More Color..."));
  more->setObjectName(QStringLiteral("MoreColor"));
  connect(more, &QAction::triggered, this, &TColorButton::MoreColor);
}

void TColorButton::DropDown() {
  Palette()->popup(mapToGlobal(QPoint(0, height())));
}

void TColorButton::MoreColor() {
  if (Dialog)
    return;
  Dialog = new QColorDialog(ToQColor(Value), window());
  Dialog->setAttribute(Qt::WA_DeleteOnClose);
  Dialog->setWindowTitle(QStringLiteral("Color"));
  connect(Dialog, &QColorDialog::colorSelected, this,
          [this](const QColor& colour) { SetColor(FromQColor(colour)); });
  Dialog->open();
}

void TColorButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QStyleOptionToolButton option;
  initStyleOption(&option);
  option.text.clear();
  option.icon = QIcon();
  style()->drawComplexControl(QStyle::CC_ToolButton, &option, &painter, this);

  const QRect swatch = rect().adjusted(3, 3, -3 - ArrowWidth, -3);
  painter.fillRect(swatch, ToQColor(Value));
  painter.setPen(isEnabled() ? QColor(64, 64, 64) : QColor(160, 160, 160));
  painter.drawRect(swatch.adjusted(0, 0, -1, -1));

  // The drop-down arrow in the strip at the right.
  const int cx = width() - 3 - ArrowWidth / 2;
  const int cy = height() / 2;
  QPolygon arrow({QPoint(cx - 3, cy - 1), QPoint(cx + 3, cy - 1), QPoint(cx, cy + 2)});
  painter.setBrush(painter.pen().color());
  painter.drawPolygon(arrow);
}

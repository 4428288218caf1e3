#include "panels/UiBitmaps.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

namespace Ui {
namespace {

QString BitmapPath(const QString& name) { return QStringLiteral(":/ui/%1.svg").arg(name); }

} // namespace

QPixmap Picture(const QString& resourcePath, const QSize& size) {
  if (!QFile::exists(resourcePath) || size.isEmpty())
    return {};
  QSvgRenderer renderer(resourcePath);
  if (!renderer.isValid())
    return {};
  QPixmap pixmap(size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  renderer.render(&painter);
  return pixmap;
}

QPixmap Bitmap(const QString& name) {
  QSvgRenderer renderer(BitmapPath(name));
  if (!renderer.isValid())
    return {};
  return Picture(BitmapPath(name), renderer.defaultSize());
}

QPixmap Bitmap(const QString& name, const QSize& size) { return Picture(BitmapPath(name), size); }

QIcon ProgramIcon() {
  QIcon icon;
  for (int side : {16, 24, 32, 48, 64})
    icon.addPixmap(Bitmap(QStringLiteral("greetix"), QSize(side, side)));
  return icon;
}

} // namespace Ui

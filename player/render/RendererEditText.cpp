// Text fields (DefineEditText) are drawn with a system font: their initial text, in the
// field's box, colour, size and alignment. Scripts never change them in this player.
#include <QGuiApplication>
#include <QTextDocument>

#include "player/render/Renderer.h"

namespace player {

void TRenderer::DrawEditText(QPainter& painter, const swf::TEditText& text,
                             const QTransform& world, const TColorTransform& cx) {
  // System fonts need a GUI application; a plain command-line run leaves text fields out.
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
  painter.setTransform(world);
  const QRectF box(text.Bounds.XMin, text.Bounds.YMin, text.Bounds.XMax - text.Bounds.XMin,
                   text.Bounds.YMax - text.Bounds.YMin);
  if (!box.isValid()) return;
  if (text.Border) {
    painter.setPen(QPen(cx.Apply(swf::TRgba{0, 0, 0, 255}), 0));
    painter.setBrush(cx.Apply(swf::TRgba{255, 255, 255, 255}));
    painter.drawRect(box);
  }
  if (!text.InitialText || text.InitialText->empty() || text.FontHeight == 0) return;
  QString content = QString::fromStdString(*text.InitialText);
  if (text.Html) {
    QTextDocument document;
    document.setHtml(content);
    content = document.toPlainText();
  }
  if (text.Password) content.fill(QChar('*'));
  QFont font;
  if (const swf::TFont* swfFont = text.FontId ? FLibrary.Movie().Find<swf::TFont>(*text.FontId)
                                              : nullptr) {
    font.setFamily(QString::fromStdString(swfFont->Name));
    font.setBold(swfFont->Bold);
    font.setItalic(swfFont->Italic);
  }
  font.setPixelSize(text.FontHeight);  // twips, the painter's unit here
  painter.setFont(font);
  painter.setPen(cx.Apply(text.Color.value_or(swf::TRgba{0, 0, 0, 255})));
  int flags = Qt::AlignTop;
  flags |= text.Align == 1 ? Qt::AlignRight : text.Align == 2 ? Qt::AlignHCenter : Qt::AlignLeft;
  if (text.WordWrap) flags |= Qt::TextWordWrap;
  // The field's text sits 2 pixels inside its box.
  const qreal gutter = 40;
  painter.drawText(box.adjusted(gutter + text.LeftMargin, gutter, -gutter - text.RightMargin, 0),
                   flags, content);
  painter.setBrush(Qt::NoBrush);
}

}  // namespace player

// The window pictures shipped with the program ("cover", "title", "head", "left", the
// program icon and the guide icons), drawn from the resources compiled into the program.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace Ui {

// The picture of that name at its own size; an empty pixmap when there is none, so a
// missing picture only leaves its image blank.
QPixmap Bitmap(const QString& name);

// The picture drawn at the given size (pictures are vector drawings and scale cleanly).
QPixmap Bitmap(const QString& name, const QSize& size);

// A picture from any resource path (":/guide/birthday.svg"), at the given size.
QPixmap Picture(const QString& resourcePath, const QSize& size);

// The program's icon, for windows and the About box.
QIcon ProgramIcon();

} // namespace Ui

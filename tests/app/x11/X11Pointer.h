// The pointer and window places as the X server has them, for the tests that run under a
// window manager.
#pragma once

#include <QPoint>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

// The pointer as a user moves it; waits for the program to see what it did.
inline void Pointer(const QStringList& arguments) {
  ASSERT_EQ(QProcess::execute("xdotool", arguments), 0) << arguments.join(' ').toStdString();
  QTest::qWait(250);
}

inline void MoveTo(QPoint screenPoint) {
  Pointer({"mousemove", QString::number(screenPoint.x()), QString::number(screenPoint.y())});
}

// Where the X server has a window's top-left corner, whatever Qt believes.
inline QPoint ServerOrigin(const QWidget* window) {
  QProcess info;
  info.start("xwininfo", {"-id", QString::number(window->winId())});
  info.waitForFinished(5000);
  const QString text = QString::fromLocal8Bit(info.readAllStandardOutput());
  const auto number = [&](const char* label) {
    const QRegularExpressionMatch match =
        QRegularExpression(QString::fromLatin1(label) + QStringLiteral(":\\s*(-?\\d+)")).match(text);
    return match.hasMatch() ? match.captured(1).toInt() : -100000;
  };
  return QPoint(number("Absolute upper-left X"), number("Absolute upper-left Y"));
}

// A point of a widget on the screen as the X server places it.
inline QPoint OnScreen(const QWidget* widget, QPoint inWidget) {
  return ServerOrigin(widget->window()) + widget->mapTo(widget->window(), inWidget);
}

// Messages the work of one user action would show again and again (every render pass of
// one edit meets the same missing picture): each text is shown once until the user acts
// again.
#pragma once

#include <QObject>
#include <QSet>
#include <QString>

class TOncePerAction : public QObject {
public:
  // Watches the application's input for the start of the next user action.
  explicit TOncePerAction(QObject* parent = nullptr);
  ~TOncePerAction() override;

  // True the first time a text comes within one user action.
  bool First(const QString& text);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  QSet<QString> Shown;
};

// TChildForm: the base of the four property panels (background, text, picture, sound).
// A panel is either a floating tool window or docked into a host panel of the main window;
// the docking constructor decides which before anything else is built.
#pragma once

#include <QPointer>
#include <QWidget>

class QLabel;

class TChildForm : public QWidget {
  Q_OBJECT
public:
  // A floating tool window owned by `owner` (which may be null).
  explicit TChildForm(QWidget* owner);
  // A panel docked into `hostPanel`: a borderless child at (0, 0), sized for the left column.
  TChildForm(QWidget* owner, QWidget* hostPanel);
  ~TChildForm() override;

  bool IsDocked() const { return Docked; }
  QWidget* HostPanel() const { return Host; }

  // Floating client size and docked size, in pixels.
  static constexpr int FloatingWidth = 201;
  static constexpr int FloatingHeight = 380;
  static constexpr int DockedWidth = 203;
  static constexpr int DockedHeight = 600;

  // Inherited by every panel.
  QLabel* ChildImage1 = nullptr;        // the panel background, stretched
  QLabel* ChildImage2 = nullptr;        // empty overlay, kept for the panels that draw on it
  QLabel* ChildLabelFlashObj1 = nullptr; // "Selected:"
  QLabel* ChildLabelFlashObj = nullptr;  // name of the object the panel edits
  QLabel* ChildImgLine = nullptr;        // the vertical line at the panel's right edge

  // A docked panel that is shown, even when it was showing already, comes to the front of
  // the column it shares with the other panels.
  void setVisible(bool visible) override;

  // Sets the caption of ChildLabelFlashObj (the library writes the object's name here).
  void SetSelectedName(const QString& name);

  // Applies at once an edit that is waiting for the panel's delayed apply; the library
  // calls it before the selection moves to another object. Nothing by default.
  virtual void ApplyPendingEdits() {}
  // The same for every live panel: before the card is saved, so the saved card holds what
  // the user typed last.
  static void ApplyAllPendingEdits();

  // The live panel whose object name is `name` ("TextForm", "PicForm", ...), or null.
  static TChildForm* Find(const QString& name);

public slots:
  // Double buffering and the panel background picture "left"; a missing picture leaves it blank.
  void FormCreate();

protected:
  void resizeEvent(QResizeEvent* event) override;

private:
  void Build();
  // Docked: no border, parented to the host, at (0, 0) with the docked size.
  void Loaded();

  bool Docked = false;
  QPointer<QWidget> Host;
};

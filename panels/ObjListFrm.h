// TObjListForm: the movie library. Lists the card's objects by name, one top-level node per
// object in document order, and is the only way to choose the object the panels edit. It
// owns the card document; each rebuild of the list makes the card's Movie binding anew.
#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>

#include "document/XmlDocument.h"
#include "render/EditorInterfaces.h"

class QAction;
class QMenu;
class QTreeWidget;
class TChildForm;

class TObjListForm : public QWidget, public ILibraryView {
  Q_OBJECT
public:
  // A floating tool window owned by `owner`.
  explicit TObjListForm(QWidget* owner);
  // Docked into `hostPanel` (the main window's PanelObj): borderless, at (0, 0).
  TObjListForm(QWidget* owner, QWidget* hostPanel);
  ~TObjListForm() override;

  bool IsDocked() const { return Docked; }
  QWidget* HostPanel() const { return Host; }

  static constexpr int FloatingWidth = 165;
  static constexpr int FloatingHeight = 148;
  static constexpr int DockedWidth = 173;
  static constexpr int DockedHeight = 140;
  // Background of the tree: red 200, green 228, blue 169.
  static constexpr unsigned TreeColor = 11134152;

  // The card document, bound to the working project file by the card's mode switch.
  TXMLCardDocument& XMLDoc() { return *Document; }

  QTreeWidget* ObjTree = nullptr;
  QMenu* PopupMenu1 = nullptr;
  QAction* TextMenuItem = nullptr;
  QAction* PictureMenuItem = nullptr;
  QAction* SoundMenuItem = nullptr;
  QAction* N1 = nullptr;
  QAction* Delete1 = nullptr;
  QAction* DisplayObjAct = nullptr;
  QAction* DisplayObjTreeAct = nullptr;
  QAction* DelObjAct = nullptr;

  // ILibraryView
  std::optional<std::string> SelectedCaption() const override;
  void AddRootNode(const std::string& caption) override;
  void SelectLastNode() override;

  // Selects node `index` (none when out of range), which opens its object.
  void SelectNode(int index);

public slots:
  void ObjTreeChange();
  void ObjTreeClick();
  void FormKeyDown(int key);
  // Opens the selected object in the panel of its kind.
  void DisplayObjActExecute();
  // Makes the Movie binding (loading the document when needed) and lists its objects.
  // A document that fails to load throws to the caller.
  void DisplayObjTreeActExecute();
  // Deletes the selected object, saves, rebuilds and selects its neighbour.
  void DelObjActExecute();
  void TextMenuItemClick();
  void PictureMenuItemClick();
  void SoundMenuItemClick();

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void Build();
  void Loaded();
  void AttachToContext();
  // Applies an object panel's edit still waiting for its timer to the object it was made
  // on, even when the selection has already moved on.
  void FlushPendingEdits();

  bool Docked = false;
  QPointer<QWidget> Host;
  std::unique_ptr<TXMLCardDocument> Document;
  // The node whose object is open; it stands for the selection while pending edits land.
  std::string OpenedCaption;
  std::optional<std::string> CaptionOverride;
};

// Cut, Copy, Paste and Duplicate of the selected text, picture or sound. The clipboard
// carries the object's card XML under a type of our own, so another running editor pastes
// it whole, and a text's words as plain text for any other program. Plain text from another
// program pastes as a new text object holding it.
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "app/MainFormHost.h"
#include "app/MainFrm.h"
#include "card/CardObjectCopy.h"
#include "panels/ChildFrm.h"
#include "panels/ObjListFrm.h"
#include "player/widget/FlashPlayer.h"

const char* const CardObjectMimeType = "application/x-greetix-object";

std::string TMainForm::SelectedObjectXml() {
  if (!EditingCard())
    return {};
  // What a panel still holds back belongs to the object copied.
  TChildForm::ApplyAllPendingEdits();
  const std::string name = CardHost->SelectedObject();
  if (name.empty() || G.Context.Movie().Obj().Count() == 0)
    return {};
  TRenderContext& context = G.Context;
  return CopyCardObject(context.Movie(), name, [&context](const std::string& path) {
    try {
      return context.ResolveMediaPath(path);
    } catch (const std::exception&) {
      return path;
    }
  });
}

void TMainForm::EditCopyActExecute() {
  const std::string xml = SelectedObjectXml();
  if (xml.empty())
    return;
  auto* data = new QMimeData;
  data->setData(QString::fromLatin1(CardObjectMimeType), QByteArray::fromStdString(xml));
  const std::string words = CardObjectWords(xml);
  if (!words.empty())
    data->setText(QString::fromStdString(words));
  QGuiApplication::clipboard()->setMimeData(data);
}

void TMainForm::EditCutActExecute() {
  if (SelectedObjectXml().empty())
    return;
  EditCopyActExecute();
  EditDeleteActExecute();
}

void TMainForm::EditPasteActExecute() {
  if (!EditingCard())
    return;
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  const QString type = QString::fromLatin1(CardObjectMimeType);
  if (!data)
    return;
  if (data->hasFormat(type)) {
    PasteObjectXml(data->data(type).toStdString());
    return;
  }
  if (!data->hasText())
    return;
  const std::string text = PlainTextObjectXml(data->text().toStdString());
  if (!text.empty())
    PasteObjectXml(text);
}

// A copy of the selected object beside it in the library; the clipboard stays as it was.
void TMainForm::EditDuplicateActExecute() {
  const std::string xml = SelectedObjectXml();
  if (!xml.empty())
    PasteObjectXml(xml);
}

// As an inserted object: appended last, at the frame the preview shows, selected, rendered.
void TMainForm::PasteObjectXml(const std::string& xml) {
  auto* library = qobject_cast<TObjListForm*>(G.ObjListForm.data());
  if (!EditingCard() || !library)
    return;
  TChildForm::ApplyAllPendingEdits();
  const TPastedObject pasted = PasteCardObject(G.Context.Movie(), xml, PreviewFrameNum());
  library->AddRootNode(pasted.Name);
  G.Context.SaveDocument();
  library->SelectLastNode();
  CardHost->RenderCard();
}

bool TMainForm::ClipboardHoldsObject() const {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  return data && (data->hasFormat(QString::fromLatin1(CardObjectMimeType)) ||
                  (data->hasText() && !PlainTextObjectXml(data->text().toStdString()).empty()));
}

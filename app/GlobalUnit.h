// The program-wide state: one record, owned by the main window, that every part of the
// editor reads and writes (the open card, the builder objects, the play and window-fit
// flags, the current objects, the tool windows, the working paths, the guide's choice).
#pragma once

#include <QPoint>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>

#include "app/ProgramTitle.h"
#include "card/FlashCard.h"
#include "render/RenderContext.h"
#include "swf/builder/SwfAction.h"
#include "swf/builder/SwfMovie.h"
#include "swf/builder/SwfObject.h"

struct TGlobal {
  TGlobal();
  ~TGlobal();
  TGlobal(const TGlobal&) = delete;
  TGlobal& operator=(const TGlobal&) = delete;

  // "Greetix 3.0": the fixed first part of every window caption.
  QString AppTitle;
  // The base path (without extension) of a card that has no file name yet: the private
  // working folder of this run + "/Untitled".
  QString UntitledBasePath;
  // The folder pictures and sounds were last chosen from, with its trailing separator.
  QString LastOpenDir;
  // The template chosen when the new-card guide last closed with OK.
  int GuideResult = 0;

  // The builder's three objects, made once and kept for the whole run.
  std::unique_ptr<swf::TSwfMovie> SwfMovie;
  std::unique_ptr<swf::TSwfObject> SwfObject;
  std::unique_ptr<swf::TSwfAction> SwfAction;

  // What the card objects reach: the builder's objects, the card document, the editing
  // objects (the current text, picture and sound object), the preview and the panels.
  TRenderContext Context;

  // The open card; replaced by New and Open. Declared after what it refers to.
  std::unique_ptr<TFlashCard> FlashCard;

  // Whether the preview is meant to play.
  bool Playing = false;
  // Set while the card fits the window to a movie; the resize step leaves the card alone.
  bool WindowFitting = false;
  // "Text", "Pic" or "Sound": the kind of object last opened in the movie library.
  QString CurrentObjKind;
  // Client coordinates of the last left press and release over the preview.
  QPoint DragStart;
  QPoint DragEnd;

  // The tool windows; each may be absent.
  QPointer<QWidget> BackgroundForm;
  QPointer<QWidget> ObjListForm;
  QPointer<QWidget> TextForm;
  QPointer<QWidget> PicForm;
  QPointer<QWidget> SoundForm;
};

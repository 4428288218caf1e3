// The one record through which the card objects reach everything outside themselves: the
// SWF builder's three objects, the card document and its current binding, the editor's
// preview, library and panels, and the shared helpers. The program-wide state owns one;
// tests make their own. No object reaches a global.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "document/XMLUnit.h"
#include "render/EditorInterfaces.h"
#include "render/PictureExaminer.h"
#include "render/RandomSource.h"
#include "render/RenderBudget.h"
#include "render/TextFields.h"
#include "swf/builder/SwfObjs.h"

class ITextPanel;
class IPicturePanel; // declared by the picture panel code
class ISoundPanel;   // declared by the sound panel code
class TFlashObj;

class TRenderContext {
public:
  TRenderContext();
  ~TRenderContext();
  TRenderContext(const TRenderContext&) = delete;
  TRenderContext& operator=(const TRenderContext&) = delete;

  // The builder's movie, shape and action objects, made once and kept for the whole run.
  swf::ISwfMovie* SwfMovie = nullptr;
  swf::ISwfObject* SwfObject = nullptr;
  swf::ISwfAction* SwfAction = nullptr;

  // The card document (owned by the movie library) and the binding of its root, made anew
  // each time the library rebuilds its list. Empty outside Edit mode.
  TXMLCardDocument* Document = nullptr;
  std::optional<TXMLMovie> XMLMovie;

  IPreviewInfo* Preview = nullptr;
  ILibraryView* Library = nullptr;
  ITextPanel* TextPanel = nullptr;
  IPicturePanel* PicturePanel = nullptr;
  ISoundPanel* SoundPanel = nullptr;
  IUserMessages* Messages = nullptr;

  // Values for the "{Name}" fields of the texts; without them a text shows its fields as
  // written (the editor's preview).
  const TFieldValues* FieldValues = nullptr;

  // An effect tried on one text in the editor's preview (the effect under the pointer in the
  // text panel): the text at index Object plays EffectName for the effect's own length, as if
  // chosen. The document never sees it.
  struct TEffectTrial {
    int Object = -1;
    std::string EffectName;
  };
  std::optional<TEffectTrial> EffectTrial;
  // What the current render may still spend, and how many objects it left out (failing or
  // too costly); the card resets both before each render.
  TRenderBudget Budget;
  int ObjectsLeftOut = 0;

  // The colours of "Rainbow"; clock-seeded unless replaced by a seeded source.
  TRandomSource Random;

  // True where no one can be asked (the headless front end): a picture over 800 x 600 is
  // scaled down to fit, with a note through Messages, instead of being refused.
  bool ScaleLargePictures = false;

  // The card's TotalFrames, set by the card before it renders its objects (the picture
  // renderer compares end frames with it).
  int CardTotalFrames = 0;
  // The untitled base path: work files add ".grx", ".swf" and ".jpg".
  std::string WorkBasePath;
  // Folder of the card's own file (set by the card before it renders), where its relative
  // media paths are looked for first, so a card moved with its pictures still finds them.
  std::string CardFolder;
  // Folder of the program file, where relative media paths not beside the card are looked
  // for (the templates' pictures and sounds lie there).
  std::string ProgramFolder;

  // The binding of the card document's root; throws std::logic_error when there is none.
  TXMLMovie& Movie();
  // Saves the card document to its file, then tells DocumentSaved; throws std::logic_error
  // when there is none.
  void SaveDocument();
  // Called after every save: the card records each edit in its history there, so an edit
  // that does not render (a sound chosen, a field that changes no picture) is a step too.
  std::function<void()> DocumentSaved;
  // Saves within a TOneEdit are told once, when it ends.
  int EditDepth = 0;
  bool SavedWithinEdit = false;

  // A card from elsewhere reads media only from CardFolder (and below) and the library and
  // template folders in ProgramFolder, links followed: a card received from someone must not draw the user's
  // private files into a movie it sends back.
  bool ConfineMedia = false;

  // The editor renders the card at every edit: a picture or sound file found missing is
  // told once, not at each render, until it is there again (ToldMissingMedia holds those
  // told, by their paths as the card holds them). Headless runs tell every render's.
  bool TellMissingMediaOnce = false;
  std::set<std::string> ToldMissingMedia;
  // True when the file the card names `name`, found at `path`, is missing and was told
  // before, so the caller leaves it out silently. A missing file is recorded as told; one
  // that is there again is forgotten.
  bool MissingMediaToldBefore(const std::string& name, const std::string& path);

  // A media path as the card holds it: an absolute one as it is, a relative one against
  // CardFolder when the file is there, else against ProgramFolder. With ConfineMedia, a
  // path outside those folders throws TRenderRefused (the object is left out).
  std::string ResolveMediaPath(const std::string& path) const;

  // The shared picture examiner, made on first use by the installed factory (or the one a
  // test put into SharedExaminer); nullptr when no factory is installed.
  IPictureExaminer* PictureExaminer();
  std::unique_ptr<IPictureExaminer> SharedExaminer;

  // The editing object of a kind ("Text", "Pic", "Sound") through which the panels edit
  // the selected object; nullptr when that kind has none (or is not built in).
  TFlashObj* EditingObject(const std::string& kind) const;
  // Frees the editing object of that kind and makes a new one; returns it (nullptr for an
  // unknown kind).
  TFlashObj* RenewEditingObject(const std::string& kind);
  // Frees every editing object and makes a new one of each registered kind.
  void RenewEditingObjects();

private:
  std::map<std::string, std::unique_ptr<TFlashObj>> EditingObjects;
};

// Makes the saves of one user action (an effect chosen, which also sets the last frame) one
// edit: DocumentSaved is told once, at the end, when anything was saved.
class TOneEdit {
public:
  explicit TOneEdit(TRenderContext& context) : Context(context) { ++Context.EditDepth; }
  ~TOneEdit();
  TOneEdit(const TOneEdit&) = delete;
  TOneEdit& operator=(const TOneEdit&) = delete;

private:
  TRenderContext& Context;
};

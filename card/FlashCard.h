// TFlashCard: the open card. Holds the movie-level settings (stage, rate, background,
// looping, frame count) and the working file names, loads and stores them in the card
// document, switches the main window between "Edit", "Play" and "Close", renders the whole
// card through the SWF builder and reloads the preview with the result.
#pragma once

#include <cstdint>
#include <string>

#include "card/CardHistory.h"

class ICardHost;
class TRenderContext;

class TFlashCard {
public:
  // `untitledBasePath`: the working files' base (a private folder + "/Untitled"); the
  // working project file adds ".grx", the working movie ".swf".
  TFlashCard(ICardHost& host, TRenderContext& context, const std::string& untitledBasePath);
  ~TFlashCard();
  TFlashCard(const TFlashCard&) = delete;
  TFlashCard& operator=(const TFlashCard&) = delete;

  // Plainly settable fields, in declaration order.
  int TotalFrames = 0;           // frame count of the preview movie, as last taken from it
  std::uint32_t BgColor = 0;     // 0x00BBGGRR
  std::string BgPic;             // background picture as chosen; empty: none
  std::string PreparedBgFile;    // its JPEG work file
  int BgPicWidth = 0;            // pixels of the prepared picture
  int BgPicHeight = 0;
  std::string CardPath;          // the card's own path without extension
  std::string WorkSwfFile;       // the movie the preview shows
  std::string SourceProject;     // copied over the working project file when Edit starts
  int Width = 420;               // stage pixels
  int Height = 180;
  int Rate = 15;                 // frames per second
  int SavedFrame = 0;            // preview frame kept across a render

  const std::string& WorkProjectFile() const { return WorkProject; }
  bool Loop() const { return Looping; }
  const std::string& Mode() const { return CurrentMode; }

  // "Edit", "Play" or "Close"; any other text is only stored.
  void SetMode(const std::string& mode);
  void LoadFromDocument();
  void StoreInDocument();
  void ReadFromPanels();
  void ShowInPanels();
  void LoadAndShow();
  void ReadAndStore();
  // Renders the card into `target` (the working movie when empty) and reloads the preview.
  // Scope "All" (Save, Export) ends a movie that does not loop with a stop action.
  void BuildMovie(const std::string& scope, const std::string& target);
  // The builder calls of BuildMovie without writing or reloading anything: the movie is
  // left in the builder for the caller to take.
  void RenderToBuilder(const std::string& scope);
  // Which objects a render places: every one; every one but Object (what stays behind a
  // dragged object); or Object alone, without the background picture (the dragged object).
  struct TPlacing {
    int Object = -1;
    bool Alone = false;
  };
  // RenderToBuilder with only the placing's objects, for pictures of the preview that are not
  // the card's movie: nothing is recorded, reported or reloaded.
  void RenderPartToBuilder(TPlacing placing);
  // Plays `effectName` on the text named `objectName` in the preview from the text's first
  // frame, as if it were chosen, leaving the document and the history as they are. An empty
  // name (or a BuildMovie) ends the trial: the preview shows the card again, at the frame
  // and in the playing state it had before.
  void TryEffect(const std::string& objectName, const std::string& effectName);
  bool TryingEffect() const;
  // Index in the document of the object with this name, or -1.
  int ObjectIndex(const std::string& name) const;
  // Places the background picture and every object of the document into the builder.
  void SaveSwf();
  // Reloads the preview with WorkSwfFile; "Size" also fits the main window to the movie.
  void ReloadPreview(const std::string& option);
  void SetLoop(bool on);
  void StartPlaying();

  // The undo history of this card. Every save of the document and every render records what
  // changed since the last record; RecordChange does so at once.
  TCardHistory& History() { return Steps; }
  void RecordChange();
  // Starts the history over from the document as it is now (after opening the card).
  void ResetHistory();

  // The main window's client size that the preview fits to a movie of this stage: the
  // preview area is at least MinPreviewWidth × MinPreviewHeight.
  struct TClientSize {
    int Width = 0;
    int Height = 0;
  };
  static constexpr int MinPreviewWidth = 380;
  static constexpr int MinPreviewHeight = 330;
  static TClientSize FittedClientSize(int stageWidth, int stageHeight, int leftWidth, int topHeight,
                                      int sliderHeight);

  static int SwfStageWidth(const std::string& file);
  static int SwfStageHeight(const std::string& file);

private:
  // The folder of the card's file; for a card not yet saved, of the card it was made from.
  std::string OwnFolder() const;
  void PlaceBackgroundPicture();
  void PlaceObjects();
  TPlacing Placing; // of the render under way
  // Where the preview stood before an effect was tried.
  int TrialFrame = 0;
  bool TrialPlaying = false;
  std::string TrialMovie; // the working movie's bytes before the trial
  void RenderTrial();
  void EndEffectTrial();
  void CloseDocument();
  // Puts a document from the history back: the library, the panels and the preview follow,
  // the preview staying at the frame it showed.
  std::string RestoreDocument(const std::string& xml, const std::string& select);

  ICardHost& Host;
  TRenderContext& Ctx;
  std::string WorkProject;
  bool Looping = false;
  std::string CurrentMode;
  TCardHistory Steps;
};

// The undo history of one card: every edit is one step holding the card document as it was
// before and after it. Steps are found by comparison with the document as last recorded, so
// whatever way an edit took (a panel, a drag, the window size, the library) it is undone
// the same way. Consecutive edits of the same elements of the same object within one run
// (typing in one box, one drag, one resize) merge into one step, as do the moves of one
// object in one run (nudges in any direction); EndRun starts a new run.
#pragma once

#include <QUndoStack>
#include <functional>
#include <string>

class TCardHistory {
public:
  // Puts a document back: its text, and the object to select afterwards (empty: none).
  // Returns the document as it stands afterwards.
  using TRestore = std::function<std::string(const std::string& xml, const std::string& select)>;

  explicit TCardHistory(TRestore restore);
  ~TCardHistory();
  TCardHistory(const TCardHistory&) = delete;
  TCardHistory& operator=(const TCardHistory&) = delete;

  // Starts over from this document: no steps, unmodified.
  void Reset(const std::string& xml, const std::string& selection = {});
  // Records the change from the last recorded document to `xml` as a step, or merges it
  // into the step before. `selection` is the object selected now. False when nothing changed.
  bool Record(const std::string& xml, const std::string& selection = {});
  // The library's selection moved: an insertion undone selects this again.
  void NoteSelection(const std::string& selection);
  // The next change starts a step of its own.
  void EndRun() { ++Run; }
  int CurrentRun() const { return Run; }

  void Undo();
  void Redo();
  // True while a step is being undone or redone: the document changes then are not edits.
  bool Restoring() const { return IsRestoring; }

  // Saved state: the card is unmodified when its history stands where it was last saved.
  bool Modified() const { return !Stack.isClean(); }
  void MarkSaved() { Stack.setClean(); }
  // A card that never was in its file (one restored after a crash) counts as modified.
  void MarkModified() { Stack.resetClean(); }

  // The document as last recorded or restored.
  const std::string& Recorded() const { return Baseline; }
  QUndoStack& Steps() { return Stack; }

private:
  class TStep;
  void Restore(const std::string& xml, const std::string& select);

  TRestore RestoreDocument;
  QUndoStack Stack;
  std::string Baseline;
  std::string BaselineSelection;
  std::string PriorSelection; // the one before the last move of the selection
  int Run = 0;
  bool IsRestoring = false;
};

#include "card/CardHistory.h"

#include <utility>

#include "card/CardChange.h"

class TCardHistory::TStep : public QUndoCommand {
public:
  TStep(TCardHistory& history, std::string before, std::string after, const TCardChange& change,
        std::string selectBefore, std::string selectAfter, int run)
      : QUndoCommand(QString::fromStdString(change.Label)), History(history), Before(std::move(before)),
        After(std::move(after)), SelectBefore(std::move(selectBefore)), SelectAfter(std::move(selectAfter)),
        Object(change.ObjectName), Elements(change.Elements), Run(run),
        Mergeable(!change.Inserted && !change.Deleted && change.Elements != "*")
  {
  }

  // Pushing a step only records it: the edit is already in the document.
  void redo() override
  {
    if (Pushed) History.Restore(After, SelectAfter);
    Pushed = true;
  }
  void undo() override { History.Restore(Before, SelectBefore); }

  int id() const override { return Mergeable ? 1 : -1; }
  bool mergeWith(const QUndoCommand* other) override
  {
    const auto* next = static_cast<const TStep*>(other);
    const bool bothMoves = text() == "Move" && next->text() == "Move";
    if (next->Run != Run || next->Object != Object || (next->Elements != Elements && !bothMoves)) return false;
    After = next->After;
    SelectAfter = next->SelectAfter;
    // Typed back to where the run began: nothing is left to undo.
    setObsolete(After == Before);
    return true;
  }

private:
  TCardHistory& History;
  std::string Before, After;
  std::string SelectBefore, SelectAfter;
  std::string Object, Elements;
  int Run;
  bool Mergeable;
  bool Pushed = false;
};

TCardHistory::TCardHistory(TRestore restore) : RestoreDocument(std::move(restore)) {}

TCardHistory::~TCardHistory() = default;

void TCardHistory::Reset(const std::string& xml, const std::string& selection)
{
  Stack.clear();
  Stack.setClean();
  Baseline = xml;
  BaselineSelection = selection;
  ++Run;
}

bool TCardHistory::Record(const std::string& xml, const std::string& selection)
{
  if (IsRestoring || xml == Baseline) return false;
  const TCardChange change = DescribeCardChange(Baseline, xml);
  // An inserted object was not selected before (the insertion selects it on the way); a
  // deleted or changed one was.
  std::string selectBefore = change.ObjectName;
  if (change.Inserted || change.ObjectName.empty())
    selectBefore = change.Inserted && BaselineSelection == change.ObjectName ? PriorSelection : BaselineSelection;
  std::string selectAfter = change.Deleted || change.ObjectName.empty() ? selection : change.ObjectName;
  auto* step = new TStep(*this, Baseline, xml, change, std::move(selectBefore), selectAfter, Run);
  Baseline = xml;
  BaselineSelection = selectAfter;
  Stack.push(step);
  return true;
}

void TCardHistory::NoteSelection(const std::string& selection)
{
  if (IsRestoring || selection == BaselineSelection) return;
  PriorSelection = BaselineSelection;
  BaselineSelection = selection;
}

void TCardHistory::Undo()
{
  ++Run;
  Stack.undo();
}

void TCardHistory::Redo()
{
  ++Run;
  Stack.redo();
}

void TCardHistory::Restore(const std::string& xml, const std::string& select)
{
  IsRestoring = true;
  struct TDone {
    bool& Flag;
    ~TDone() { Flag = false; }
  } done{IsRestoring};
  Baseline = RestoreDocument ? RestoreDocument(xml, select) : xml;
  BaselineSelection = select;
}

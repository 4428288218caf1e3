// Edit-to-preview latency in the editor: a card of 30 texts with mixed effects is open, a
// text is selected in the library, and each iteration types a new content, presses Enter
// (which applies at once) and waits until the preview has painted the newly rendered movie.
// The timed span runs from the key to the painted frame: store, render, write, reload, paint.
// Undoing and redoing such an edit is timed the same way.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <fstream>
#include <memory>
#include <string>

#include "app/MainFrm.h"
#include "panels/ObjListFrm.h"
#include "panels/TextFrm.h"
#include "player/widget/FlashPlayer.h"

namespace {

const char* const Effects[] = {"-- None --", "Come In", "Fade",    "Heart Beat", "Kerning",
                               "Move",       "Radiation", "Rainbow", "Roll In",    "Rotate"};
const int Lengths[] = {24, 24, 24, 24, 24, 239, 24, 24, 239, 49};

std::string ThirtyTextCard() {
  std::string xml = "<?xml version=\"1.0\"?>\n<Movie><BgColor>16777215</BgColor><BgPic></BgPic><Width>420</Width>"
                    "<Height>300</Height><Rate>12</Rate><TotalFrames>250</TotalFrames><Times>0</Times>"
                    "<FileSize>0</FileSize><MovieName></MovieName><Author></Author><Loop>true</Loop>";
  for (int i = 0; i < 30; ++i) {
    const int effect = i % 10;
    const int start = (i * 5) % 60;
    xml += "<Obj><ObjName>Text" + std::to_string(i + 1) + "</ObjName><StartTime>" + std::to_string(start) +
           "</StartTime><EndTime>" + std::to_string(start + Lengths[effect]) +
           "</EndTime><Layer>2</Layer><ObjTypeName>Text</ObjTypeName><ObjType><ObjText><Content>Happy day " +
           std::to_string(i + 1) + "</Content><TextUnit>1</TextUnit><FontName>Liberation Sans</FontName>"
           "<FontSize>" + std::to_string(12 + (i % 4) * 6) + "</FontSize><FontColor>" + std::to_string(0x1000 * i) +
           "</FontColor><PositionX>" + std::to_string((i * 37) % 300) + "</PositionX><PositionY>" +
           std::to_string((i * 23) % 250) + "</PositionY><EffectName>" + Effects[effect] +
           "</EffectName><EffectValue></EffectValue></ObjText></ObjType></Obj>";
  }
  return xml + "</Movie>";
}

QApplication& Application() {
  static int argc = 1;
  static char name[] = "bench_edit_latency";
  static char* argv[] = {name, nullptr};
  static QApplication* application = [] {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    return new QApplication(argc, argv);
  }();
  return *application;
}

// Counts the paints of a widget.
struct TPaintCounter : QObject {
  int Count = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint)
      ++Count;
    return false;
  }
};

// The editor with the 30-text card open, one text selected and the preview at frame 40.
struct TThirtyTextEditor {
  QTemporaryDir Folder;
  std::unique_ptr<TMainForm> Form;
  TTextForm* Panel = nullptr;
  TPaintCounter Painted;

  bool Open() {
    Application();
    const QString card = Folder.filePath("thirty.grx");
    std::ofstream(card.toStdString()) << ThirtyTextCard();
    Form = std::make_unique<TMainForm>(QStringList{card});
    Form->show();
    QApplication::processEvents();
    Form->ControlStopActExecute();
    auto* library = qobject_cast<TObjListForm*>(Form->Global().ObjListForm.data());
    Panel = qobject_cast<TTextForm*>(Form->Global().TextForm.data());
    if (!library || !Panel)
      return false;
    library->SelectNode(14);
    Form->ShockwaveFlash->GotoFrame(40);
    Form->ShockwaveFlash->installEventFilter(&Painted);
    return true;
  }
  // Paint whatever the reload scheduled, then make sure the new frame is on screen.
  void WaitForPaint(int paintsBefore) {
    QApplication::processEvents();
    if (Painted.Count == paintsBefore)
      Form->ShockwaveFlash->repaint();
  }
  void TypeAndEnter(const QString& text) {
    Panel->Content->setText(text);
    const int before = Painted.Count;
    Panel->ContentKeyDown(Qt::Key_Return);
    WaitForPaint(before);
    Panel->Timer1->stop();
  }
  void Report(benchmark::State& state) {
    state.counters["frame"] = Form->ShockwaveFlash->FrameNum();
    state.counters["frames"] = Form->ShockwaveFlash->TotalFrames();
    Form.reset();
  }
};

void EditToPaintedFrame(benchmark::State& state) {
  TThirtyTextEditor editor;
  if (!editor.Open()) {
    state.SkipWithError("the editor has no library or text panel");
    return;
  }
  int round = 0;
  for (auto _ : state)
    editor.TypeAndEnter(QStringLiteral("Edited %1").arg(++round));
  editor.Report(state);
}

// The same card, one edit made; each iteration undoes it or redoes it, from the command to
// the painted frame: restore the document, the library, the panel, render, reload, paint.
void UndoToPaintedFrame(benchmark::State& state) {
  TThirtyTextEditor editor;
  if (!editor.Open()) {
    state.SkipWithError("the editor has no library or text panel");
    return;
  }
  editor.TypeAndEnter(QStringLiteral("Edited once"));
  bool undo = true;
  for (auto _ : state) {
    const int before = editor.Painted.Count;
    (undo ? editor.Form->EditUndoAct : editor.Form->EditRedoAct)->trigger();
    editor.WaitForPaint(before);
    undo = !undo;
  }
  editor.Report(state);
}

BENCHMARK(EditToPaintedFrame)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(UndoToPaintedFrame)->Unit(benchmark::kMillisecond)->MinTime(3.0);

} // namespace

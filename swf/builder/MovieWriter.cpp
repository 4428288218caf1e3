#include "swf/builder/MovieWriter.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <string>
#include <string_view>
#include <unordered_map>

#include "swf/builder/ShapeEncoder.h"
#include "swf/builder/TagWriters.h"
#include "swf/format/SwfError.h"

namespace swf {
namespace {

constexpr int MaxDepth = 65535;
constexpr int MaxCharacterId = 65535;

// A character shown on consecutive frames First..Last at one depth.
struct TRun {
  size_t Character = 0;  // index into TSwfTimeline::Shapes()
  int First = 0;
  int Last = 0;
  uint64_t Key = 0;  // call order of the addition that began it
  std::vector<std::pair<int, TPlacement>> Changes;  // the first one at First
  int Depth = 0;
};

std::vector<TRun> CollectRuns(const TSwfTimeline& timeline, int lastFrame) {
  std::vector<TRun> runs;
  const auto& shapes = timeline.Shapes();
  for (size_t c = 0; c < shapes.size(); ++c) {
    bool shown = false;
    TRun run;
    const std::vector<TFrameEvent>& events = shapes[c]->Events();
    for (size_t next = 0; next < events.size();) {
      const int frame = events[next].Frame;
      if (frame > lastFrame) break;  // only removals lie past the end
      bool wasShown = shown;
      // Shown after the frame means its last event was an addition, which gives the placement.
      const TPlacement* added = nullptr;
      uint64_t firstAdd = std::numeric_limits<uint64_t>::max();
      for (; next < events.size() && events[next].Frame == frame; ++next) {
        const TTimelineEvent& event = events[next].Event;
        if (event.IsAdd) {
          shown = true;
          added = &event.Placement;
          firstAdd = std::min(firstAdd, event.Seq);
        } else {
          shown = false;
          added = nullptr;
          firstAdd = std::numeric_limits<uint64_t>::max();
        }
      }
      if (wasShown && !shown) {
        run.Last = frame - 1;
        runs.push_back(std::move(run));
        run = TRun{};
      } else if (!wasShown && shown) {
        run.Character = c;
        run.First = frame;
        run.Key = firstAdd;
        run.Changes.push_back({frame, *added});
      } else if (wasShown && shown && !(*added == run.Changes.back().second)) {
        run.Changes.push_back({frame, *added});
      }
    }
    if (shown) {
      run.Last = lastFrame;
      runs.push_back(std::move(run));
    }
  }
  return runs;
}

// Each run goes above every earlier-begun run that shares a frame with it; a depth is free
// again after its run ended.
void AssignDepths(std::vector<TRun>& runs, int lastFrame) {
  std::vector<size_t> order(runs.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return runs[a].Key < runs[b].Key; });
  std::vector<int> top(static_cast<size_t>(lastFrame) + 1, 0);
  for (size_t index : order) {
    TRun& run = runs[index];
    int depth = 1 + *std::max_element(top.begin() + run.First, top.begin() + run.Last + 1);
    if (depth > MaxDepth) throw TSwfError("The movie shows too many objects at the same time");
    std::fill(top.begin() + run.First, top.begin() + run.Last + 1, depth);
    run.Depth = depth;
  }
}

std::string Key(const std::vector<uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

// Character ids, given out on first use; equal content shares one definition.
class TDefinitions {
 public:
  explicit TDefinitions(const TSwfTimeline& timeline) : FTimeline(timeline) {
    // Shape bodies are looked at where they lie (the timeline holds them until the end):
    // a movie has a body per letter of every per-letter effect.
    std::unordered_map<std::string_view, int> textSlots, vectorSlots;
    std::unordered_map<std::string, int> pictureSlots, textWithPictureSlots;
    for (const auto& shape : timeline.Shapes()) {
      const TContent& c = *shape->Character();
      const int next = static_cast<int>(FShapeIds.size());
      int slot = next;
      if (c.Kind == TContentKind::TextShape || c.Kind == TContentKind::VectorShape) {
        const std::string_view body(reinterpret_cast<const char*>(c.ShapeBody.data()), c.ShapeBody.size());
        if (c.Kind == TContentKind::TextShape && !c.TextPictures.empty()) {
          // A text with emoji is the same shape only with the same pictures in it.
          std::string key(body);
          for (const auto& picture : c.TextPictures) key += ":" + std::to_string(BitmapSlot(picture.get()));
          slot = textWithPictureSlots.emplace(std::move(key), next).first->second;
        } else {
          auto& slots = c.Kind == TContentKind::TextShape ? textSlots : vectorSlots;
          slot = slots.emplace(body, next).first->second;
        }
      } else {
        std::string key = std::to_string(BitmapSlot(c.Bitmap.get())) + ":" + std::to_string(c.Width) + "x" +
                          std::to_string(c.Height);
        slot = pictureSlots.emplace(std::move(key), next).first->second;
      }
      if (slot == next) FShapeIds.push_back(0);
      FSlotOfShape.push_back(slot);
    }
  }

  int Slot(size_t character) const { return FSlotOfShape[character]; }

  uint16_t Shape(TSwfBitWriter& out, size_t character) {
    uint16_t& id = FShapeIds[Slot(character)];
    if (id) return id;
    const TContent& c = *FTimeline.Shapes()[character]->Character();
    if (c.Kind == TContentKind::TextShape && !c.TextPictures.empty() && c.TextBodyWithPictures) {
      std::vector<uint16_t> bitmapIds;
      for (const auto& picture : c.TextPictures) bitmapIds.push_back(Bitmap(out, picture.get()));
      id = NewId();
      WriteDefineShape4(out, id, c.TextBodyWithPictures(bitmapIds));
      return id;
    }
    if (c.Kind == TContentKind::TextShape) {
      id = NewId();
      WriteDefineShape3(out, id, c.ShapeBody);
      return id;
    }
    if (c.Kind == TContentKind::VectorShape) {
      id = NewId();
      WriteDefineShape4(out, id, c.ShapeBody);
      return id;
    }
    uint16_t bitmapId = Bitmap(out, c.Bitmap.get());
    TShapeEncoder shape;
    shape.MoveTo(0, 0, TInkSide::Right);
    shape.LineTo(c.Width, 0);
    shape.LineTo(c.Width, c.Height);
    shape.LineTo(0, c.Height);
    shape.ClosePath();
    // The fill matrix maps bitmap pixels onto the rectangle's twips.
    TMatrix fill;
    fill.A = FixedRatio(c.Width, c.Bitmap->Width);
    fill.D = FixedRatio(c.Height, c.Bitmap->Height);
    auto body = shape.Body(TShapeEncoder::ClippedBitmapFill(bitmapId, fill));
    id = NewId();
    WriteDefineShape3(out, id, body);
    return id;
  }

  uint16_t Sound(TSwfBitWriter& out, const TSoundData* sound) {
    if (auto it = FSoundIds.find(sound); it != FSoundIds.end()) return it->second;
    std::string key = std::to_string(sound->Format) + ":" + Key(sound->Samples);
    auto [it, added] = FSoundByContent.emplace(key, 0);
    if (added) {
      it->second = NewId();
      WriteDefineSound(out, it->second, sound->Format, sound->SampleCount, sound->Samples);
    }
    FSoundIds[sound] = it->second;
    return it->second;
  }

 private:
  static int32_t FixedRatio(int32_t twips, int pixels) {
    double v = std::round(static_cast<double>(twips) * 65536.0 / std::max(1, pixels));
    return static_cast<int32_t>(std::clamp(v, -1073741823.0, 1073741823.0));
  }

  int BitmapSlot(const TBitmapData* bitmap) {
    if (auto it = FBitmapSlotOf.find(bitmap); it != FBitmapSlotOf.end()) return it->second;
    std::string key = bitmap->IsLossless() ? "L" + Key(bitmap->Lossless) : "J" + Key(bitmap->Jpeg);
    auto [it, added] = FBitmapByContent.emplace(std::move(key), static_cast<int>(FBitmapIds.size()));
    if (added) FBitmapIds.push_back(0);
    FBitmapSlotOf[bitmap] = it->second;
    return it->second;
  }

  uint16_t Bitmap(TSwfBitWriter& out, const TBitmapData* bitmap) {
    uint16_t& id = FBitmapIds[FBitmapSlotOf.at(bitmap)];
    if (!id) {
      id = NewId();
      if (bitmap->IsLossless()) {
        WriteDefineBitsLossless2(out, id, static_cast<uint16_t>(bitmap->Width), static_cast<uint16_t>(bitmap->Height),
                                 bitmap->Lossless);
      } else {
        WriteDefineBitsJpeg2(out, id, bitmap->Jpeg);
      }
    }
    return id;
  }

  uint16_t NewId() {
    if (FNextId > MaxCharacterId) throw TSwfError("The movie holds too many texts, pictures and sounds");
    return static_cast<uint16_t>(FNextId++);
  }

  const TSwfTimeline& FTimeline;
  int FNextId = 1;
  std::vector<int> FSlotOfShape;
  std::vector<uint16_t> FShapeIds;
  std::unordered_map<const TBitmapData*, int> FBitmapSlotOf;
  std::unordered_map<std::string, int> FBitmapByContent;
  std::vector<uint16_t> FBitmapIds;
  std::unordered_map<const TSoundData*, uint16_t> FSoundIds;
  std::unordered_map<std::string, uint16_t> FSoundByContent;
};

// One display-list change on a frame. The placements point into the runs, which outlive
// the ops: copying them for every frame of every character was a good part of a write.
struct TOp {
  enum TKind { Remove = 0, Place = 1, Move = 2 } Kind = Place;
  int Depth = 0;
  size_t Character = 0;
  const TPlacement* From = nullptr;  // before the change (Remove, Move)
  const TPlacement* To = nullptr;    // after it (Place, Move)
};

std::vector<std::vector<TOp>> CollectOps(const std::vector<TRun>& runs, int lastFrame) {
  std::vector<std::vector<TOp>> ops(static_cast<size_t>(lastFrame) + 1);
  for (const TRun& run : runs) {
    ops[run.First].push_back({TOp::Place, run.Depth, run.Character, nullptr, &run.Changes[0].second});
    for (size_t i = 1; i < run.Changes.size(); ++i) {
      ops[run.Changes[i].first].push_back(
          {TOp::Move, run.Depth, run.Character, &run.Changes[i - 1].second, &run.Changes[i].second});
    }
    if (run.Last < lastFrame) {
      ops[run.Last + 1].push_back({TOp::Remove, run.Depth, run.Character, &run.Changes.back().second, nullptr});
    }
  }
  return ops;
}

void WriteModify(TSwfBitWriter& out, int depth, const TPlacement& from, const TPlacement& to) {
  bool matrixChanged = !(from.Matrix == to.Matrix);
  bool cxFormChanged = !(from.CxForm == to.CxForm);
  bool filtersChanged = from.Filters != to.Filters;
  if (!matrixChanged && !cxFormChanged && !filtersChanged) return;
  WritePlaceModify(out, static_cast<uint16_t>(depth), matrixChanged ? &to.Matrix : nullptr,
                   cxFormChanged ? &to.CxForm : nullptr, filtersChanged ? &to.Filters : nullptr);
}

void WriteFrameOps(TSwfBitWriter& out, std::vector<TOp>& ops, TDefinitions& definitions) {
  std::sort(ops.begin(), ops.end(), [](const TOp& a, const TOp& b) {
    return a.Depth != b.Depth ? a.Depth < b.Depth : a.Kind < b.Kind;
  });
  // A run that ends where another run of the same definition begins at the same depth
  // becomes a modify of the instance already there.
  std::vector<TOp> merged;
  merged.reserve(ops.size());
  for (size_t i = 0; i < ops.size(); ++i) {
    if (ops[i].Kind == TOp::Remove && i + 1 < ops.size() && ops[i + 1].Kind == TOp::Place &&
        ops[i + 1].Depth == ops[i].Depth &&
        definitions.Slot(ops[i + 1].Character) == definitions.Slot(ops[i].Character)) {
      merged.push_back({TOp::Move, ops[i].Depth, ops[i + 1].Character, ops[i].From, ops[i + 1].To});
      ++i;
    } else {
      merged.push_back(ops[i]);
    }
  }
  std::vector<uint16_t> ids(merged.size(), 0);
  for (size_t i = 0; i < merged.size(); ++i) {
    if (merged[i].Kind == TOp::Place) ids[i] = definitions.Shape(out, merged[i].Character);
  }
  for (const TOp& op : merged) {
    if (op.Kind == TOp::Remove) WriteRemove(out, static_cast<uint16_t>(op.Depth));
  }
  for (size_t i = 0; i < merged.size(); ++i) {
    const TOp& op = merged[i];
    if (op.Kind == TOp::Place) {
      WritePlaceNew(out, static_cast<uint16_t>(op.Depth), ids[i], op.To->Matrix, op.To->CxForm, op.To->Filters);
    } else if (op.Kind == TOp::Move) {
      WriteModify(out, op.Depth, *op.From, *op.To);
    }
  }
}

}  // namespace

std::vector<uint8_t> SerializeMovie(const TMovieSettings& settings, const TSwfTimeline& timeline) {
  int lastFrame = timeline.LastFrame();
  std::vector<TRun> runs = CollectRuns(timeline, lastFrame);
  AssignDepths(runs, lastFrame);
  std::vector<std::vector<TOp>> ops = CollectOps(runs, lastFrame);

  std::vector<std::vector<const TSoundData*>> sounds(ops.size());
  for (const auto& start : timeline.Sounds()) {
    if (start.Frame <= lastFrame) sounds[start.Frame].push_back(start.Sound->Sound.get());
  }
  std::vector<std::vector<const std::vector<uint8_t>*>> actions(ops.size());
  for (const auto& action : timeline.Actions()) {
    if (action.Frame <= lastFrame) actions[action.Frame].push_back(&action.ActionCodes);
  }

  TDefinitions definitions(timeline);
  TSwfBitWriter body;
  WriteFileAttributes(body, 0);
  WriteSetBackgroundColor(body, settings.Background);
  for (int frame = 0; frame <= lastFrame; ++frame) {
    WriteFrameOps(body, ops[frame], definitions);
    for (const TSoundData* sound : sounds[frame]) WriteStartSound(body, definitions.Sound(body, sound));
    for (const auto* codes : actions[frame]) WriteDoAction(body, *codes);
    WriteShowFrame(body);
  }
  WriteEnd(body);

  auto header = MovieHeader(MovieVersion, 0, settings.Stage, settings.FrameRate88,
                            static_cast<uint16_t>(lastFrame + 1));
  uint64_t length = header.size() + body.Size();
  if (length > 0xFFFFFFFFull) throw TSwfError("The movie is too large to be written");
  header = MovieHeader(MovieVersion, static_cast<uint32_t>(length), settings.Stage, settings.FrameRate88,
                       static_cast<uint16_t>(lastFrame + 1));
  std::vector<uint8_t> file = std::move(header);
  file.insert(file.end(), body.Data().begin(), body.Data().end());
  return file;
}

}  // namespace swf

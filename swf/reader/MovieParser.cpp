// From tag records to a parsed movie: definitions into the dictionary, control tags into
// frames. Each tag is parsed on its own, so one bad tag costs only itself.
#include "swf/reader/MovieParser.h"

#include "swf/format/SwfError.h"
#include "swf/format/TagCodes.h"
#include "swf/reader/FrameParser.h"
#include "swf/reader/FrameStore.h"
#include "swf/reader/TagParsers.h"

namespace swf {
namespace {

// Parsed elements (frames, tags, records, glyphs) allowed in one movie: with the inflated
// size capped, this keeps a small hostile file from growing into gigabytes of structures.
constexpr size_t MaxParsedElements = 4u << 20;
constexpr size_t MaxWarnings = 200;

size_t CountOf(const TShape& s) { return 1 + s.Records.size() + s.Styles.Fills.size(); }
size_t CountOf(const TFont& f) {
  size_t n = 1 + f.Glyphs.size();
  for (const auto& g : f.Glyphs) n += g.size();
  return n;
}
size_t CountOf(const TText& t) {
  size_t n = 1 + t.Records.size();
  for (const auto& rec : t.Records) n += rec.Glyphs.size();
  return n;
}

class TMovieParser {
 public:
  TMovieParser(const TSwfFile& file, TMovie& movie, TTimelineReading reading)
      : FFile(file), FMovie(movie), FReading(reading) {}

  void Run() {
    for (const std::string& w : FFile.Warnings()) Warn(w);
    FMovie.Timeline = ReadTimeline(FFile.Tags(), FFile.FrameCount(), true);
    if (FSkipped > 0)
      FMovie.Warnings.push_back(std::to_string(FSkipped) + " more problems were not listed");
  }

 private:
  void Warn(const std::string& text) {
    if (FMovie.Warnings.size() < MaxWarnings) FMovie.Warnings.push_back(text);
    else ++FSkipped;
  }

  bool Spend(size_t n) {
    FElements += n;
    return FElements <= MaxParsedElements;
  }

  TSwfBitReader Reader(const TTagRecord& tag) const {
    return TSwfBitReader(FFile.Data().data() + tag.BodyOffset, tag.BodySize, tag.BodyOffset,
                         tag.Code);
  }

  template <class T>
  void Define(uint16_t id, T&& value) {
    if (!FMovie.Characters.emplace(id, TCharacter(std::forward<T>(value))).second)
      Warn("Character " + std::to_string(id) + " is defined twice; the first definition is kept");
  }

  TTimeline ReadTimeline(const std::vector<TTagRecord>& tags, uint32_t frameCount, bool main) {
    TTimeline timeline;
    timeline.FrameCount = frameCount == 0 ? 1 : frameCount;
    // On demand, each frame is still parsed here (for the warnings and the budget), but
    // only its tags' bytes are kept.
    std::shared_ptr<TFrameStore> store;
    if (main && FReading == TTimelineReading::OnDemand)
      store = std::make_shared<TFrameStore>(FFile.Header().Version);
    auto framesKept = [&] { return store ? store->FrameCount() : timeline.Frames.size(); };
    auto keepFrame = [&](TFrame& frame) {
      // Frames past the count never play: they are not kept.
      if (framesKept() >= timeline.FrameCount) return;
      if (store) store->EndFrame(frame.Label);
      else timeline.Frames.push_back(std::move(frame));
    };
    TFrame frame;
    for (const TTagRecord& tag : tags) {
      if (FOverBudget) break;
      if (tag.Code == static_cast<uint16_t>(TTagCode::End)) break;
      if (tag.Code == static_cast<uint16_t>(TTagCode::ShowFrame)) {
        keepFrame(frame);
        frame = TFrame();
        if (!Spend(1)) OverBudget();
        continue;
      }
      try {
        if (ReadControlTag(tag, frame)) {
          if (store && framesKept() < timeline.FrameCount) store->AddTag(tag.Code, FFile.Body(tag));
        } else if (main) {
          ReadMovieTag(tag);
        }
      } catch (const TSwfError& e) {
        Warn(e.what());
      }
    }
    // Tags after the last ShowFrame form one more frame if the count allows it.
    if (!frame.Empty()) keepFrame(frame);
    timeline.Store = std::move(store);
    return timeline;
  }

  void OverBudget() {
    if (!FOverBudget) Warn("The movie is too complex; the rest of it was not read");
    FOverBudget = true;
  }

  // Tags that belong to a frame, in the main timeline and in sprites alike.
  bool ReadControlTag(const TTagRecord& tag, TFrame& frame) {
    const size_t cost = swf::ReadControlTag(tag, FFile.Data().data(), FFile.Header().Version, frame);
    if (cost == 0) return false;
    if (!Spend(cost)) OverBudget();
    return true;
  }

  // Definitions and movie-wide tags; only the main timeline holds them.
  void ReadMovieTag(const TTagRecord& tag) {
    TSwfBitReader r = Reader(tag);
    size_t cost = 1;
    using C = TTagCode;
    C code = static_cast<C>(tag.Code);
    switch (code) {
      case C::DefineShape: case C::DefineShape2: case C::DefineShape3: case C::DefineShape4: {
        int version = code == C::DefineShape ? 1 : code == C::DefineShape2 ? 2 : code == C::DefineShape3 ? 3 : 4;
        TShape shape = ParseDefineShape(r, version);
        cost = CountOf(shape);
        Define(shape.Id, std::move(shape));
        break;
      }
      case C::DefineMorphShape: case C::DefineMorphShape2: {
        TMorphShape morph = ParseDefineMorphShape(r, code == C::DefineMorphShape ? 1 : 2);
        cost = 1 + morph.StartRecords.size() + morph.EndRecords.size() + morph.Fills.size();
        Define(morph.Id, std::move(morph));
        break;
      }
      case C::DefineBits: case C::DefineBitsJPEG2: case C::DefineBitsJPEG3: case C::DefineBitsJPEG4:
      case C::DefineBitsLossless: case C::DefineBitsLossless2: {
        TBitmap bitmap = ParseDefineBits(r, tag.Code);
        Define(bitmap.Id, std::move(bitmap));
        break;
      }
      case C::JPEGTables:  // one per movie
        if (FMovie.JpegTables.empty()) {
          const uint8_t* p = r.Bytes(r.Remaining());
          FMovie.JpegTables.assign(p, p + tag.BodySize);
        }
        break;
      case C::DefineFont: case C::DefineFont2: case C::DefineFont3: {
        TFont font = ParseDefineFont(r, code == C::DefineFont ? 1 : code == C::DefineFont2 ? 2 : 3);
        cost = CountOf(font);
        Define(font.Id, std::move(font));
        break;
      }
      case C::DefineFontInfo: case C::DefineFontInfo2: {
        uint16_t id = PeekCharacterId(r);
        auto it = FMovie.Characters.find(id);
        TFont* font = it == FMovie.Characters.end() ? nullptr : std::get_if<TFont>(&it->second);
        if (!font) r.Fail("Font information for font " + std::to_string(id) + ", which is not defined");
        ParseDefineFontInfo(r, code == C::DefineFontInfo ? 1 : 2, *font);
        break;
      }
      case C::DefineText: case C::DefineText2: {
        TText text = ParseDefineText(r, code == C::DefineText ? 1 : 2);
        cost = CountOf(text);
        Define(text.Id, std::move(text));
        break;
      }
      case C::DefineEditText: {
        TEditText edit = ParseDefineEditText(r);
        Define(edit.Id, std::move(edit));
        break;
      }
      case C::DefineButton: case C::DefineButton2: {
        TButton button = ParseDefineButton(r, code == C::DefineButton ? 1 : 2);
        cost = 1 + button.Records.size() + button.Actions.size();
        Define(button.Id, std::move(button));
        break;
      }
      case C::DefineButtonCxform: case C::DefineButtonSound: {
        const uint16_t id = PeekCharacterId(r);
        auto it = FMovie.Characters.find(id);
        TButton* button = it == FMovie.Characters.end() ? nullptr : std::get_if<TButton>(&it->second);
        if (!button) r.Fail("Button details for button " + std::to_string(id) + ", which is not defined");
        if (code == C::DefineButtonCxform) ParseDefineButtonCxform(r, *button);
        else ParseDefineButtonSound(r, *button);
        break;
      }
      case C::DefineSound: {
        TSound sound = ParseDefineSound(r);
        Define(sound.Id, std::move(sound));
        break;
      }
      case C::DefineSprite: ReadSprite(tag, r); break;
      case C::SetBackgroundColor:  // only the first one counts
        if (!FMovie.BackgroundColor) FMovie.BackgroundColor = r.Rgb();
        break;
      case C::FileAttributes:
        FMovie.FileAttributes = r.Remaining() >= 4 ? r.U32() : r.U8();
        break;
      case C::Metadata: FMovie.Metadata = r.String(); break;
      default: break;  // kept as raw bytes in the file only
    }
    if (!Spend(cost)) OverBudget();
  }

  void ReadSprite(const TTagRecord& tag, TSwfBitReader& r) {
    TSprite sprite;
    sprite.Id = r.U16();
    uint16_t frames = r.U16();
    std::vector<std::string> warnings;
    std::vector<TTagRecord> tags =
        FFile.ReadTags(tag.BodyOffset + 4, tag.BodyOffset + tag.BodySize, warnings);
    for (const std::string& w : warnings)
      Warn("In sprite " + std::to_string(sprite.Id) + ": " + w);
    sprite.Timeline = ReadTimeline(tags, frames, false);
    Define(sprite.Id, std::move(sprite));
  }

  const TSwfFile& FFile;
  TMovie& FMovie;
  TTimelineReading FReading;
  size_t FElements = 0;
  size_t FSkipped = 0;
  bool FOverBudget = false;
};

}  // namespace

TMovie ParseMovie(const TSwfFile& file, TTimelineReading reading) {
  TMovie movie;
  movie.Header = file.Header();
  TMovieParser(file, movie, reading).Run();
  return movie;
}

TMovie LoadMovie(std::span<const uint8_t> bytes, TTimelineReading reading) {
  return ParseMovie(TSwfFile::FromBytes(bytes), reading);
}

TMovie LoadMovieFile(const std::string& path, TTimelineReading reading) {
  return ParseMovie(TSwfFile::FromFile(path), reading);
}

}  // namespace swf

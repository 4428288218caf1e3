#include "swf/builder/SwfObject.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "swf/builder/FileIo.h"
#include "swf/builder/PictureFile.h"
#include "swf/builder/VectorArt.h"
#include "swf/builder/VectorShape.h"
#include "swf/builder/SwfMovie.h"
#include "swf/builder/TextShape.h"
#include "swf/builder/WaveFile.h"
#include "swf/format/SwfBitWriter.h"
#include "swf/format/SwfError.h"

namespace swf {
namespace {

constexpr double MaxField = 1073741823.0;      // the largest 31-bit signed field
constexpr double MaxTextHeight = 1000000.0;    // twips (50000 pixels)
constexpr double ReferenceTextHeight = 36.0 * 28.0;  // twips: a 36-point text

// A number for a 31-bit field: NaN as 0, everything else clamped.
int32_t Field(double v) {
  if (std::isnan(v)) return 0;
  return static_cast<int32_t>(std::lround(std::clamp(v, -MaxField, MaxField)));
}

double Finite(double v) { return std::isnan(v) ? 0.0 : v; }

uint8_t Byte(double v) { return static_cast<uint8_t>(std::clamp(std::round(Finite(v)), 0.0, 255.0)); }

}  // namespace

TSwfObject::TSwfObject() = default;
TSwfObject::~TSwfObject() = default;

void TSwfObject::StartContent(TContentPtr content) {
  bool joinsText = !FFinished && FContent && FContent->Kind == TContentKind::TextShape &&
                   content->Kind == TContentKind::TextShape &&
                   (FLastCall == TLastCall::FrameStepAdd || FLastCall == TLastCall::Make) &&
                   FMoviesAtMake == TSwfMovie::MovieCount();
  if (!joinsText) {
    FGroup.clear();
    FEarlierLetters.clear();
    FMovie = nullptr;  // fresh content binds to the movie that first uses it
  }
  FGroup.push_back(content);
  FContent = std::move(content);
  FLastCall = TLastCall::Make;
  FFinished = false;
  FVisitAtMake = TSwfMovie::FrameVisit();
  FMoviesAtMake = TSwfMovie::MovieCount();
  FFill.reset();
  FScaleX = FScaleY = 65536;
  FScaled = false;
  FAngle = 0;
  FTranslation.reset();
  FBlur = 0;
  FGlow = FOutline = FShadow = {};
  FTextColour = {0, 0, 0, 255};
}

void TSwfObject::MakeTextSimple(const std::string& fontName, const std::string& text, double x, double y,
                                double height) {
  if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(height)) {
    throw TSwfError("The text's position or height is not a number");
  }
  if (height > MaxTextHeight) throw TSwfError("The text is too large: " + std::to_string(height) + " twips");
  auto character = std::make_shared<TContent>();
  character->Kind = TContentKind::TextShape;
  TTextShape shape = MakeTextShape(fontName, text, height, FTextColour);
  character->ShapeBody = std::move(shape.Body);
  for (const TTextPicture& picture : shape.Pictures) character->TextPictures.push_back(picture.Bitmap);
  character->TextBodyWithPictures = std::move(shape.BodyWithPictures);
  character->ShapeRed = FTextColour.R;
  character->ShapeGreen = FTextColour.G;
  character->ShapeBlue = FTextColour.B;
  character->OriginX = Field(x);
  character->OriginY = Field(y);
  if (height > 0) character->ScaleReference = ReferenceTextHeight / height;
  StartContent(std::move(character));
}

void TSwfObject::MakePicture(int left, int top, int right, int bottom, int /*width*/, int /*height*/,
                             const std::string& picturePath) {
  auto character = std::make_shared<TContent>();
  int64_t width = std::llabs(static_cast<int64_t>(right) - left);
  int64_t height = std::llabs(static_cast<int64_t>(bottom) - top);
  character->Width = Field(static_cast<double>(width));
  character->Height = Field(static_cast<double>(height));
  character->OriginX = std::min(left, right);
  character->OriginY = std::min(top, bottom);
  std::vector<uint8_t> bytes = ReadFileBytes(picturePath, MaxPictureFileBytes, "picture");
  if (IsVectorArtData(bytes)) {
    character->Kind = TContentKind::VectorShape;
    // An effect makes the same drawing again each frame: it is turned into a shape once.
    if (!FLastDrawing || FLastDrawing->Bytes != bytes || FLastDrawing->Width != character->Width ||
        FLastDrawing->Height != character->Height) {
      TVectorArt art = DecodeVectorArt(bytes, picturePath);
      FLastDrawing = std::make_shared<TDrawingShape>(
          TDrawingShape{std::move(bytes), character->Width, character->Height,
                        VectorShapeBody(art, character->Width, character->Height)});
    }
    character->ShapeBody = FLastDrawing->Body;
  } else {
    std::shared_ptr<const TBitmapData> bitmap = BitmapForMovie(std::move(bytes), picturePath);
    if (FLastBitmap && FLastBitmap->Jpeg == bitmap->Jpeg && FLastBitmap->Lossless == bitmap->Lossless) bitmap = FLastBitmap;
    FLastBitmap = bitmap;
    character->Kind = TContentKind::PictureShape;
    character->Bitmap = std::move(bitmap);
  }
  StartContent(std::move(character));
}

void TSwfObject::MakeSound(const std::string& wavePath) {
  auto character = std::make_shared<TContent>();
  character->Kind = TContentKind::Sound;
  character->Sound = ReadWaveFile(wavePath);
  StartContent(std::move(character));
}

void TSwfObject::SetSolidFill(int red, int green, int blue, double alpha) {
  FFill = TRgba{Byte(red), Byte(green), Byte(blue), Byte(alpha)};
}

void TSwfObject::Scale(double x, double y) {
  FScaleX = Finite(x);
  FScaleY = Finite(y);
  FScaled = true;
}

void TSwfObject::Rotate(int angle) { FAngle = angle; }

void TSwfObject::Translate(double x, double y) { FTranslation = std::make_pair(Finite(x), Finite(y)); }

void TSwfObject::SetBlur(double radius) { FBlur = std::clamp(Finite(radius), 0.0, MaxFilterRadius); }

TSwfObject::TShadowLike TSwfObject::ShadowLike(int red, int green, int blue, double alpha, double radius,
                                               double distance) {
  const auto component = [](int v) { return static_cast<uint8_t>(std::clamp(v, 0, 255)); };
  const double a = std::clamp(std::round(Finite(alpha)), 0.0, 255.0);
  TShadowLike filter;
  filter.Radius = std::clamp(Finite(radius), 0.0, MaxFilterRadius);
  filter.Distance = std::clamp(Finite(distance), 0.0, MaxFilterRadius);
  if (a > 0) filter.Colour = TRgba{component(red), component(green), component(blue), static_cast<uint8_t>(a)};
  return filter;
}

void TSwfObject::SetTextColour(int red, int green, int blue) {
  const auto component = [](int v) { return static_cast<uint8_t>(std::clamp(v, 0, 255)); };
  FTextColour = {component(red), component(green), component(blue), 255};
}

void TSwfObject::SetGlow(int red, int green, int blue, double alpha, double radius) {
  FGlow = ShadowLike(red, green, blue, alpha, radius, 0);
  if (FGlow.Radius <= 0) FGlow.Colour.reset();
}

void TSwfObject::SetOutline(int red, int green, int blue, double alpha, double width) {
  FOutline = ShadowLike(red, green, blue, alpha, width, 0);
  if (FOutline.Radius <= 0) FOutline.Colour.reset();
}

void TSwfObject::SetShadow(int red, int green, int blue, double alpha, double radius, double distance) {
  FShadow = ShadowLike(red, green, blue, alpha, radius, distance);
}

std::vector<uint8_t> TSwfObject::FilterList() const {
  const int count = (FBlur > 0) + bool(FGlow.Colour) + bool(FOutline.Colour) + bool(FShadow.Colour);
  if (!FContent || FContent->Kind != TContentKind::TextShape || count == 0) return {};
  // Twips become the filters' pixels (16.16); one pass each. In order: the outline is part
  // of the letters, the glow and the shadow lie around both, the blur softens all.
  const auto pixels = [](double twips) { return static_cast<int32_t>(std::lround(twips / 20.0 * 65536)); };
  TSwfBitWriter list;
  list.U8(static_cast<uint8_t>(count));
  const auto glow = [&](const TShadowLike& filter, uint16_t strength) {
    list.U8(2);
    list.Rgba(*filter.Colour);
    list.I32(pixels(filter.Radius));
    list.I32(pixels(filter.Radius));
    list.U16(strength);  // 8.8
    list.U8(0x20 | 1);   // composite source, one pass
  };
  if (FOutline.Colour) glow(FOutline, 16 * 256);  // so strong that the blurred edge turns hard
  if (FGlow.Colour) glow(FGlow, 256);
  if (FShadow.Colour) {
    list.U8(0);
    list.Rgba(*FShadow.Colour);
    list.I32(pixels(FShadow.Radius));
    list.I32(pixels(FShadow.Radius));
    list.I32(static_cast<int32_t>(std::lround(std::numbers::pi / 4 * 65536)));  // down and right
    list.I32(pixels(FShadow.Distance));
    list.U16(256);
    list.U8(0x20 | 1);
  }
  if (FBlur > 0) {
    list.U8(1);
    list.I32(pixels(FBlur));
    list.I32(pixels(FBlur));
    list.U8(1 << 3);  // one pass
  }
  return list.Data();
}

TPlacement TSwfObject::CurrentPlacement() const {
  TPlacement placement;
  double radians = FAngle / 65536.0 * std::numbers::pi / 180.0;
  double cosine = std::cos(radians), sine = std::sin(radians);
  double reference = FScaled && FContent ? FContent->ScaleReference : 1.0;
  double scaleX = FScaleX * reference, scaleY = FScaleY * reference;
  // Scale first, then turn (clockwise on screen), then move the origin into place.
  placement.Matrix.A = Field(scaleX * cosine);
  placement.Matrix.B = Field(scaleX * sine);
  placement.Matrix.C = Field(-scaleY * sine);
  placement.Matrix.D = Field(scaleY * cosine);
  if (FTranslation) {
    placement.Matrix.TX = Field(FTranslation->first);
    placement.Matrix.TY = Field(FTranslation->second);
  } else if (FContent) {
    placement.Matrix.TX = FContent->OriginX;
    placement.Matrix.TY = FContent->OriginY;
  }
  if (FFill && FContent && FContent->Kind == TContentKind::TextShape && !FContent->TextPictures.empty()) {
    // Colour pictures keep their colours: only the alpha is multiplied, and the letters show
    // in the colour they were drawn in.
    placement.CxForm.AMult = static_cast<int16_t>(std::lround(FFill->A * 256.0 / 255.0));
  } else if (FFill && FContent && FContent->Kind == TContentKind::TextShape) {
    // Multiply by 0 and add the colour: exact colours and alpha from one black shape.
    TCxForm& c = placement.CxForm;
    c.RMult = c.GMult = c.BMult = c.AMult = 0;
    c.RAdd = FFill->R;
    c.GAdd = FFill->G;
    c.BAdd = FFill->B;
    c.AAdd = FFill->A;
  }
  placement.Filters = FilterList();
  if (!placement.Filters.empty() && FFill) {
    // Under a filter the edges of the shape are half transparent: the alpha is multiplied,
    // not added, or players that colour after filtering would fill the blur solid. A shape
    // drawn in the fill's colour keeps its colours, and the filters theirs.
    TCxForm& c = placement.CxForm;
    c.AMult = static_cast<int16_t>(std::lround(FFill->A * 256.0 / 255.0));
    c.AAdd = 0;
    if (FFill->R == FContent->ShapeRed && FFill->G == FContent->ShapeGreen && FFill->B == FContent->ShapeBlue) {
      c.RMult = c.GMult = c.BMult = 256;
      c.RAdd = c.GAdd = c.BAdd = 0;
    }
  }
  return placement;
}

}  // namespace swf

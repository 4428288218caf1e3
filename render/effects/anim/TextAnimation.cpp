#include "render/effects/anim/TextAnimation.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "render/FlashText.h"
#include "render/RenderContext.h"
#include "render/effects/EffectSteps.h"

namespace {

// A 2D affine map: x' = A x + C y + Tx, y' = B x + D y + Ty (twips).
struct TAffine {
  double A = 1, B = 0, C = 0, D = 1, Tx = 0, Ty = 0;
  TAffine Then(const TAffine& outer) const
  {
    return {outer.A * A + outer.C * B,          outer.B * A + outer.D * B,
            outer.A * C + outer.C * D,          outer.B * C + outer.D * D,
            outer.A * Tx + outer.C * Ty + outer.Tx, outer.B * Tx + outer.D * Ty + outer.Ty};
  }
  double MapX(double x, double y) const { return A * x + C * y + Tx; }
  double MapY(double x, double y) const { return B * x + D * y + Ty; }
};

// Where one effect stands for one group at one frame, its timing fitted to the text.
struct TPlayedEffect {
  const TAnimatedEffect* Effect = nullptr;
  double Duration = 0;
  double Stagger = 0;
  double Start = 0; // frame at which group 0 starts
  int Groups = 0;
};

double Total(const TPlayedEffect& played)
{
  return played.Duration + played.Stagger * std::max(0, played.Groups - 1);
}

// A fixed pseudo-random number in -1..1 for (group, salt): the same in every render.
double UnitRandom(int group, int salt)
{
  std::uint32_t h = static_cast<std::uint32_t>(group) * 2654435761u ^ static_cast<std::uint32_t>(salt) * 40503u;
  h ^= h >> 15;
  h *= 2246822519u;
  h ^= h >> 13;
  return (h % 20001) / 10000.0 - 1.0;
}

TPose PoseOf(const TPlayedEffect& played, int group, double frame)
{
  const TAnimatedEffect& effect = *played.Effect;
  const int order = effect.LastFirst ? played.Groups - 1 - group : group;
  const double t = frame - played.Start - played.Stagger * order;
  double progress;
  if (effect.Family == std::string(EmphasisFamily)) {
    progress = played.Duration > 0 ? t / played.Duration - std::floor(t / played.Duration) : 0.0;
  } else {
    progress = played.Duration > 0 ? std::clamp(t / played.Duration, 0.0, 1.0) : (t >= 0 ? 1.0 : 0.0);
  }
  return PoseAt(effect.Motion, effect.Reverse ? 1 - progress : progress);
}

// What the colour and the filters of a unit come to over all its effects.
struct TLook {
  double Opacity = 1, Lighten = 0, Rainbow = 0, Hue = 0, Blur = 0, Glow = 0;
};

struct TRgb {
  double R, G, B;
};

TRgb HueColour(double hue)
{
  hue = std::fmod(std::fmod(hue, 360.0) + 360.0, 360.0) / 60.0;
  const double x = 1 - std::fabs(std::fmod(hue, 2.0) - 1);
  const double s = 0.75; // saturation, with value 1
  const double hi = 255, lo = 255 * (1 - s), mid = lo + (hi - lo) * x;
  switch (static_cast<int>(hue)) {
  case 0: return {hi, mid, lo};
  case 1: return {mid, hi, lo};
  case 2: return {lo, hi, mid};
  case 3: return {lo, mid, hi};
  case 4: return {mid, lo, hi};
  default: return {hi, lo, mid};
  }
}

class TAnimationPlayer {
public:
  TAnimationPlayer(TFlashText& text, const TTextAnimation& animation) : Text(text)
  {
    for (const TAnimatedEffect* effect : {animation.Entrance, animation.Emphasis, animation.Exit})
      if (effect) Kind = std::min(Kind, effect->Unit);
    const TTextAlign align = text.Align;
    if (align != TTextAlign::Left) Kind = std::min(Kind, TTextUnitKind::Line); // each line in its own place
    Layout = LayOutTextUnits(text.FontName, text.Content, Kind, text.PlaceX(), text.PlaceY(), text.PlaceHeight(), align);
    Em = text.PlaceHeight();
    StageWidth = StageTwips(true);
    StageHeight = StageTwips(false);
    FitTimes(animation);
  }

  void Play()
  {
    const std::int32_t s = Text.StartTime, e = Text.EndTime;
    TakeFrameSteps(Text, static_cast<std::int64_t>(Layout.Units.size()), FrameCount(s, e));
    for (const TTextUnit& unit : Layout.Units) {
      Text.SwfObject().SetTextColour(Text.Red(), Text.Green(), Text.Blue());
      Text.PlaceAt(unit.Text, unit.Box.X, unit.Box.Y);
      ForEachFrame(s, e, [&](std::int32_t i) { FrameStep(Text, i, [&] { Place(unit, i); }); });
    }
    Text.Finish();
  }

private:
  double StageTwips(bool width) const
  {
    try {
      return 20.0 * (width ? Text.Context().Movie().Width() : Text.Context().Movie().Height());
    } catch (const std::exception&) {
      return 20.0 * (width ? 550 : 400);
    }
  }

  TPlayedEffect Played(const TAnimatedEffect* effect) const
  {
    if (!effect) return {};
    const auto groups = static_cast<int>(Layout.Groups[static_cast<std::size_t>(effect->Unit)].size());
    return {effect, effect->Duration, effect->Stagger, static_cast<double>(Text.StartTime), groups};
  }

  void FitTimes(const TTextAnimation& animation)
  {
    Entrance = Played(animation.Entrance);
    Emphasis = Played(animation.Emphasis);
    Exit = Played(animation.Exit);
    const double span = static_cast<double>(Text.EndTime) - Text.StartTime;
    const double needed = (Entrance.Effect ? Total(Entrance) : 0) + (Exit.Effect ? Total(Exit) : 0);
    if (needed > span && needed > 0) {
      const double share = std::max(span, 0.0) / needed;
      for (TPlayedEffect* played : {&Entrance, &Exit}) {
        played->Duration *= share;
        played->Stagger *= share;
      }
    }
    Exit.Start = static_cast<double>(Text.EndTime) - Total(Exit);
  }

  // The map of one effect at a frame, and its share of the look.
  TAffine MapOf(const TPlayedEffect& played, const TTextUnit& unit, double frame, TLook& look, double& angle,
                double& scaleX, double& scaleY) const
  {
    const TAnimatedEffect& effect = *played.Effect;
    const int group = unit.Group[static_cast<std::size_t>(effect.Unit)];
    TPose pose = PoseOf(played, group, frame);
    const double dx = pose.X * Em + pose.StageX * StageWidth + pose.Scatter * UnitRandom(group, 1) * effect.Spread.X * Em;
    const double dy = pose.Y * Em + pose.StageY * StageHeight + pose.Scatter * UnitRandom(group, 2) * effect.Spread.Y * Em;
    const double turn = pose.Angle + pose.Scatter * UnitRandom(group, 3) * effect.Spread.Angle;
    const TTextBox& box = Layout.Groups[static_cast<std::size_t>(effect.Unit)][static_cast<std::size_t>(group)];
    const double px = box.X + effect.PivotX * box.Width, py = box.Y + effect.PivotY * box.Height;
    const double radians = turn * std::numbers::pi / 180;
    const double cosine = std::cos(radians), sine = std::sin(radians);
    TAffine map{cosine * pose.ScaleX, sine * pose.ScaleX, -sine * pose.ScaleY, cosine * pose.ScaleY, 0, 0};
    map.Tx = px + dx - (map.A * px + map.C * py);
    map.Ty = py + dy - (map.B * px + map.D * py);
    angle += turn;
    scaleX *= pose.ScaleX;
    scaleY *= pose.ScaleY;
    look.Opacity *= pose.Opacity;
    look.Lighten = std::max(look.Lighten, pose.Lighten);
    if (pose.Rainbow > look.Rainbow) {
      look.Rainbow = pose.Rainbow;
      look.Hue = pose.Hue; // the strongest tint decides the colour
    }
    look.Blur += pose.Blur * Em;
    look.Glow = std::max(look.Glow, pose.Glow);
    return map;
  }

  void Place(const TTextUnit& unit, std::int32_t frame)
  {
    TAffine map;
    TLook look;
    double angle = 0, scaleX = 1, scaleY = 1;
    // The emphasis moves the unit within the motion of the entrance and the exit.
    for (const TPlayedEffect* played : {&Emphasis, &Exit, &Entrance})
      if (played->Effect) map = map.Then(MapOf(*played, unit, frame, look, angle, scaleX, scaleY));
    swf::ISwfObject& object = Text.SwfObject();
    const double plain = PlainScale(Text);
    object.Scale(plain * scaleX, plain * scaleY);
    object.Rotate(static_cast<int>(std::lround(std::fmod(angle, 3600.0) * 65536)));
    object.Translate(map.MapX(unit.Box.X, unit.Box.Y), map.MapY(unit.Box.X, unit.Box.Y));
    TRgb colour{double(Text.Red()), double(Text.Green()), double(Text.Blue())};
    const auto mix = [](TRgb a, TRgb b, double w) {
      w = std::clamp(w, 0.0, 1.0);
      return TRgb{a.R + (b.R - a.R) * w, a.G + (b.G - a.G) * w, a.B + (b.B - a.B) * w};
    };
    colour = mix(colour, HueColour(look.Hue), look.Rainbow);
    colour = mix(colour, {255, 255, 255}, look.Lighten);
    const double alpha = std::clamp(look.Opacity, 0.0, 1.0) * 255;
    object.SetSolidFill(static_cast<int>(std::lround(colour.R)), static_cast<int>(std::lround(colour.G)),
                        static_cast<int>(std::lround(colour.B)), alpha);
    object.SetBlur(std::max(look.Blur, 0.0));
    // The glow takes the text's own colour and fades with it.
    object.SetGlow(Text.Red(), Text.Green(), Text.Blue(), std::clamp(look.Glow, 0.0, 1.0) * alpha, 0.3 * Em);
    // The outline stands out from the letters: dark around light ones, white around dark.
    const bool light = 0.3 * colour.R + 0.59 * colour.G + 0.11 * colour.B > 100;
    const int edge = light ? 0 : 255;
    object.SetOutline(edge, edge, edge, Text.HasOutline() ? alpha : 0.0, 0.07 * Em);
    object.SetShadow(0, 0, 0, Text.HasShadow() ? alpha * 0.55 : 0.0, 0.06 * Em, 0.08 * Em);
  }

  TFlashText& Text;
  TTextUnitKind Kind = TTextUnitKind::Whole;
  TTextLayout Layout;
  double Em = 0, StageWidth = 0, StageHeight = 0;
  TPlayedEffect Entrance, Emphasis, Exit;
};

} // namespace

void PlayTextAnimation(TFlashText& text, const TTextAnimation& animation)
{
  TAnimationPlayer(text, animation).Play();
}

bool ComposedAnimation(const TFlashText& text, TTextAnimation& animation)
{
  const TAnimatedEffect* entrance = TAnimatedEffects::Find(text.EntranceEffect);
  const TAnimatedEffect* exit = TAnimatedEffects::Find(text.ExitEffect);
  if (entrance && entrance->Family != std::string(EntranceFamily)) entrance = nullptr;
  if (exit && exit->Family != std::string(ExitFamily)) exit = nullptr;
  // Lines aligned centre or right stand each in its own place, and outlines and shadows are
  // drawn, even without an animation.
  const bool alignedStill =
      (text.Align != TTextAlign::Left || !text.Style.empty()) && text.EffectName == "-- None --";
  if (!entrance && !exit && !alignedStill) return false;
  const TAnimatedEffect* own = TAnimatedEffects::Find(text.EffectName);
  if (!own && text.EffectName != "-- None --") return false;
  animation = {entrance, nullptr, exit};
  if (own) {
    const std::string family = own->Family;
    if (family == EntranceFamily) animation.Entrance = own;
    else if (family == ExitFamily) animation.Exit = own;
    else animation.Emphasis = own;
  }
  return true;
}

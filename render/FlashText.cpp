#include "render/FlashText.h"

#include <memory>
#include <optional>
#include <stdexcept>

#include "render/EffectMath.h"
#include "render/FlashObjRegistry.h"
#include "render/RenderContext.h"
#include "render/UpdatingPanel.h"
#include "render/TextPanel.h"
#include "render/TextUnits.h"
#include "render/effects/TextEffect.h"
#include "render/effects/anim/TextAnimation.h"
#include "swf/builder/TextShape.h"

namespace {

std::unique_ptr<TFlashObj> MakeText(TRenderContext& context) { return std::make_unique<TFlashText>(context); }
const TFlashObjRegistrar Registrar("Text", &MakeText);

// Selects entry 0, then the first entry equal to `value`, if any.
void SelectEntry(ITextPanel& panel, TTextPanelList list, const std::string& value)
{
  panel.SetItemIndex(list, 0);
  const std::vector<std::string> items = panel.Items(list);
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i] == value) {
      panel.SetItemIndex(list, static_cast<int>(i));
      return;
    }
  }
}

// The text of the selected entry; no value when none is selected.
std::optional<std::string> SelectedEntry(const ITextPanel& panel, TTextPanelList list)
{
  const int index = panel.ItemIndex(list);
  const std::vector<std::string> items = panel.Items(list);
  if (index < 0 || static_cast<std::size_t>(index) >= items.size()) return std::nullopt;
  return items[static_cast<std::size_t>(index)];
}

TTextAlign AlignFromText(const std::string& text)
{
  if (text == "Centre") return TTextAlign::Centre;
  if (text == "Right") return TTextAlign::Right;
  return TTextAlign::Left;
}

std::string AlignToText(TTextAlign align)
{
  if (align == TTextAlign::Centre) return "Centre";
  if (align == TTextAlign::Right) return "Right";
  return ""; // left, as every card was before
}

ITextPanel& TextPanelOf(const TRenderContext& context)
{
  if (!context.TextPanel) throw std::logic_error("The text panel is not open.");
  return *context.TextPanel;
}

} // namespace

TFlashText::TFlashText(TRenderContext& context) : TFlashObj(context, "Text") {}

void TFlashText::AddNew()
{
  const std::int32_t startTime = PreviewFrame();
  AppendNewObject(startTime, Wrap32(static_cast<std::int64_t>(startTime) + 24), [](TXMLObj& object) {
    TXMLObjText text = object.ObjType().ObjText();
    text.SetContent("");
    text.SetTextUnit(1);
    text.SetFontName("MS Sans Serif");
    text.SetFontSize(18);
    text.SetFontColor("$FF0000");
    text.SetPositionX(50);
    text.SetPositionY(50);
    text.SetEffectName("-- None --");
    text.SetEffectValue("");
  });
}

void TFlashText::Render(int index)
{
  ForgetContent();
  LoadFromDocument(index);
  if (const auto& trial = Context().EffectTrial; trial && trial->Object == index) {
    EffectName = trial->EffectName;
    if (std::optional<int> length = TTextEffectRegistry::DefaultLength(EffectName))
      EndTime = Wrap32(static_cast<std::int64_t>(StartTime) + *length);
  }
  // Filled before the cut, so per-letter effects animate the letters of the values.
  if (Context().FieldValues) Content = FillFields(Content, *Context().FieldValues);
  Context().Budget.CheckTextLength(Content);
  SplitUnits();
  TTextAnimation animation;
  if (ComposedAnimation(*this, animation)) PlayTextAnimation(*this, animation);
  else if (const TTextEffect* effect = TTextEffectRegistry::Find(EffectName)) effect->Run(*this);
}

void TFlashText::LoadFromDocument(int index)
{
  TXMLObj object = Context().Movie().Obj().Item(index);
  Layer = object.Layer();
  TXMLObjText text = object.ObjType().ObjText();
  Content = text.Content();
  FontName = text.FontName();
  FontSize = text.FontSize();
  FontColor = StrToIntColour(text.FontColor());
  PositionX = text.PositionX();
  PositionY = text.PositionY();
  EffectName = text.EffectName();
  EffectValue = text.EffectValue();
  TextUnit = text.TextUnit();
  EntranceEffect = text.EntranceEffect();
  ExitEffect = text.ExitEffect();
  Align = AlignFromText(text.TextAlign());
  Style = text.TextStyle();
  StartTime = object.StartTime();
  EndTime = object.EndTime();
}

void TFlashText::StoreInDocument()
{
  StoreInSelectedObject([this](TXMLObj& object) {
    object.SetLayer(Layer);
    TXMLObjText text = object.ObjType().ObjText();
    text.SetContent(Content);
    text.SetFontName(FontName);
    text.SetFontSize(FontSize);
    text.SetFontColor(ColourToText(FontColor));
    text.SetPositionX(PositionX);
    text.SetPositionY(PositionY);
    text.SetEffectName(EffectName);
    text.SetTextUnit(TextUnit);
    text.SetEntranceEffect(EntranceEffect);
    text.SetExitEffect(ExitEffect);
    text.SetTextAlign(AlignToText(Align));
    text.SetTextStyle(Style);
    object.SetStartTime(StartTime);
    object.SetEndTime(EndTime);
  });
}

void TFlashText::ShowInPanel()
{
  ITextPanel& panel = TextPanelOf(Context());
  TUpdatingPanel<ITextPanel> updating(panel);
  panel.SetContent(Content);
  panel.SetEditBegin(Wrap32(static_cast<std::int64_t>(StartTime) + 1));
  panel.SetEditEnd(Wrap32(static_cast<std::int64_t>(EndTime) + 1));
  SelectEntry(panel, TTextPanelList::FontName, FontName);
  SelectEntry(panel, TTextPanelList::FontSize, std::to_string(FontSize));
  panel.SetFontColor(FontColor);
  panel.SetPositionX(PositionX);
  panel.SetPositionY(PositionY);
  SelectEntry(panel, TTextPanelList::EffectName, EffectName);
  panel.SetEntranceEffect(EntranceEffect);
  panel.SetExitEffect(ExitEffect);
  panel.SetTextAlign(AlignToText(Align));
  panel.SetTextStyle(Style);
}

void TFlashText::ReadFromPanel()
{
  const ITextPanel& panel = TextPanelOf(Context());
  Content = panel.Content();
  FontName = SelectedEntry(panel, TTextPanelList::FontName).value_or("");
  if (auto size = SelectedEntry(panel, TTextPanelList::FontSize)) {
    if (auto value = ParseIntegerText(*size)) FontSize = *value;
  }
  FontColor = panel.FontColor();
  PositionX = panel.PositionX();
  PositionY = panel.PositionY();
  if (auto effect = SelectedEntry(panel, TTextPanelList::EffectName)) EffectName = *effect;
  TextUnit = 1;
  if (auto entrance = panel.EntranceEffect()) EntranceEffect = *entrance;
  if (auto exit = panel.ExitEffect()) ExitEffect = *exit;
  if (auto align = panel.TextAlign()) Align = AlignFromText(*align);
  if (auto style = panel.TextStyle()) Style = *style;
  StartTime = Wrap32(static_cast<std::int64_t>(panel.EditBegin()) - 1);
  EndTime = Wrap32(static_cast<std::int64_t>(panel.EditEnd()) - 1);
}

void TFlashText::SplitUnits() { UnitList = SplitTextUnits(Content, TextUnit); }

double TFlashText::PlaceX() const { return Wrap32(20LL * PositionX); }
double TFlashText::PlaceY() const { return Wrap32(20LL * PositionY + 100); }
double TFlashText::PlaceHeight() const { return Wrap32(28LL * FontSize); }
double TFlashText::UnitX(int k) const { return Wrap32(20LL * PositionX + 28LL * FontSize * UnitColumn(k)); }

int TFlashText::UnitColumn(int k) const
{
  int column = k;
  for (int j = 0; j < k && static_cast<std::size_t>(j) < UnitList.size(); ++j)
    if (UnitList[static_cast<std::size_t>(j)].find('\n') != std::string::npos) column = k - j - 1;
  return column;
}

int TFlashText::UnitRow(int k) const
{
  int row = 0;
  for (int j = 0; j < k && static_cast<std::size_t>(j) < UnitList.size(); ++j)
    for (char c : UnitList[static_cast<std::size_t>(j)]) row += c == '\n';
  return row;
}

void TFlashText::DrawColourGlyphsInOwnColour(const std::string& text)
{
  // A colour transform would flatten the emoji's pictures: their shape keeps its colours and
  // is drawn in the text's own colour instead.
  if (swf::HasColourGlyphs(FontName, text)) SwfObject().SetTextColour(Red(), Green(), Blue());
}

void TFlashText::PlaceWhole()
{
  DrawColourGlyphsInOwnColour(Content);
  SwfObject().MakeTextSimple(FontName, Content, PlaceX(), PlaceY(), PlaceHeight());
  MarkContentMade();
}

void TFlashText::PlaceUnit(int k)
{
  // The units after a line break stand on the next line, from the text's left edge again.
  const int row = UnitRow(k);
  const double y = row == 0 ? PlaceY() : PlaceY() + row * swf::TextLineHeight(FontName, PlaceHeight());
  DrawColourGlyphsInOwnColour(UnitList.at(static_cast<std::size_t>(k)));
  SwfObject().MakeTextSimple(FontName, UnitList.at(static_cast<std::size_t>(k)), UnitX(k), y, PlaceHeight());
  MarkContentMade();
}

void TFlashText::PlaceAt(const std::string& text, double x, double y)
{
  DrawColourGlyphsInOwnColour(text);
  SwfObject().MakeTextSimple(FontName, text, x, y, PlaceHeight());
  MarkContentMade();
}

TRandomSource& TFlashText::Random() const { return Context().Random; }

#include "render/FlashObj.h"

#include <optional>
#include <set>
#include <stdexcept>

#include "render/EffectMath.h"
#include "render/RenderContext.h"

TFlashObj::TFlashObj(TRenderContext& context, std::string objTypeName)
    : ObjTypeName(std::move(objTypeName)), Ctx(context)
{
}

TFlashObj::~TFlashObj() = default;

void TFlashObj::AddNew() { MakeUniqueName(); }

void TFlashObj::MakeUniqueName()
{
  TXMLObjList objects = Ctx.Movie().Obj();
  std::string candidate = ObjTypeName + "1";
  // Candidates already given up. Renaming after a clash takes the count of same-kind
  // objects up to the clashing one plus 1; when another kind bears that name the same
  // candidate comes back and the scan would never end, so a candidate that was tried
  // already moves on to the next number not yet tried.
  std::set<std::string> tried;
  int count = 0;
  int i = 0;
  while (i < objects.Count()) {
    TXMLObj object = objects.Item(i);
    if (object.ObjTypeName() == ObjTypeName) ++count;
    if (object.ObjName() == candidate) {
      tried.insert(candidate);
      long long number = count + 1;
      candidate = ObjTypeName + std::to_string(number);
      while (tried.count(candidate)) candidate = ObjTypeName + std::to_string(++number);
      count = 0;
      i = 0;
    } else {
      ++i;
    }
  }
  ObjName = candidate;
}

void TFlashObj::Finish()
{
  if (!Ctx.Preview || !Ctx.SwfMovie || !Ctx.SwfObject) throw std::logic_error("No movie to render into.");
  const long long total = Ctx.Preview->TotalFrames();
  const bool removeAfterEnd = static_cast<long long>(EndTime) + 1 < total;
  // Only reached when EndTime + 1 < total, so EndTime + 1 cannot overflow.
  Ctx.SwfMovie->GotoFrame(removeAfterEnd ? EndTime + 1 : EndTime);
  if (!ContentMade) return;
  if (removeAfterEnd)
    Ctx.SwfMovie->RemoveObject(*Ctx.SwfObject);
  else
    Ctx.SwfMovie->AddObject(*Ctx.SwfObject);
}

void TFlashObj::EndAfterFailure() noexcept
{
  if (!ContentMade) return;
  try {
    Finish();
  } catch (const std::exception&) {
    // What was placed stays placed; the error that led here is the one reported.
  }
}

void TFlashObj::LoadAndShow(int index)
{
  LoadFromDocument(index);
  ShowInPanel();
}

void TFlashObj::ReadAndStore()
{
  ReadFromPanel();
  StoreInDocument();
}

swf::ISwfMovie& TFlashObj::SwfMovie() const
{
  if (!Ctx.SwfMovie) throw std::logic_error("No movie to render into.");
  return *Ctx.SwfMovie;
}

swf::ISwfObject& TFlashObj::SwfObject() const
{
  if (!Ctx.SwfObject) throw std::logic_error("No shape object to render with.");
  return *Ctx.SwfObject;
}

std::int32_t TFlashObj::PreviewFrame() const { return Ctx.Preview ? Ctx.Preview->CurrentFrame() : 0; }

void TFlashObj::AppendNewObject(std::int32_t startTime, std::int32_t endTime,
                                const std::function<void(TXMLObj&)>& writeDefaults)
{
  TFlashObj::AddNew();
  TRenderContext& context = Ctx;
  if (context.Library) context.Library->AddRootNode(ObjName);

  TXMLObj object = context.Movie().Obj().Add();
  object.SetObjName(ObjName);
  object.SetStartTime(startTime);
  object.SetEndTime(endTime);
  object.SetLayer(2);
  object.SetObjTypeName(ObjTypeName);
  writeDefaults(object);
  context.SaveDocument();

  // This object may be freed by the selection: only locals from here on.
  if (context.Library) context.Library->SelectLastNode();
}

void TFlashObj::StoreInSelectedObject(const std::function<void(TXMLObj&)>& writeFields)
{
  TXMLObjList objects = Ctx.Movie().Obj();
  for (int i = 0; i < objects.Count(); ++i) {
    try {
      TXMLObj object = objects.Item(i);
      if (!Ctx.Library) throw std::logic_error("No library");
      const std::optional<std::string> selected = Ctx.Library->SelectedCaption();
      if (!selected) throw std::logic_error("No node selected");
      if (object.ObjName() != *selected) continue;
      if (object.ObjTypeName() == ObjTypeName) writeFields(object);
      Ctx.SaveDocument();
      return;
    } catch (const std::exception&) {
    }
  }
}

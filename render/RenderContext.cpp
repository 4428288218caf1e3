#include "render/RenderContext.h"

#include <filesystem>
#include <stdexcept>

#include "render/FlashObj.h"
#include "render/FlashObjRegistry.h"

TRenderContext::TRenderContext() = default;
TRenderContext::~TRenderContext() = default;

TXMLMovie& TRenderContext::Movie()
{
  if (!XMLMovie) throw std::logic_error("No card document is open.");
  return *XMLMovie;
}

void TRenderContext::SaveDocument()
{
  if (!Document) throw std::logic_error("No card document is open.");
  Document->Save();
  if (EditDepth > 0)
    SavedWithinEdit = true;
  else if (DocumentSaved)
    DocumentSaved();
}

TOneEdit::~TOneEdit()
{
  if (--Context.EditDepth > 0 || !Context.SavedWithinEdit) return;
  Context.SavedWithinEdit = false;
  try {
    if (Context.DocumentSaved) Context.DocumentSaved();
  } catch (const std::exception&) {
    // The next save or render records the edit.
  }
}

std::string TRenderContext::ResolveMediaPath(const std::string& path) const
{
  const std::filesystem::path media(path);
  if (path.empty() || media.is_absolute()) return path;
  const auto under = [&](const std::string& folder) {
    return (std::filesystem::path(folder) / media).lexically_normal().string();
  };
  std::error_code ignored;
  if (!CardFolder.empty() && (ProgramFolder.empty() || std::filesystem::exists(under(CardFolder), ignored)))
    return under(CardFolder);
  return ProgramFolder.empty() ? path : under(ProgramFolder);
}

IPictureExaminer* TRenderContext::PictureExaminer()
{
  if (!SharedExaminer && PictureExaminerFactory()) SharedExaminer = PictureExaminerFactory()(*this);
  return SharedExaminer.get();
}

TFlashObj* TRenderContext::EditingObject(const std::string& kind) const
{
  auto found = EditingObjects.find(kind);
  return found == EditingObjects.end() ? nullptr : found->second.get();
}

TFlashObj* TRenderContext::RenewEditingObject(const std::string& kind)
{
  EditingObjects.erase(kind);
  auto object = TFlashObjRegistry::Create(kind, *this);
  if (!object) return nullptr;
  return (EditingObjects[kind] = std::move(object)).get();
}

void TRenderContext::RenewEditingObjects()
{
  EditingObjects.clear();
  for (const auto& kind : TFlashObjRegistry::Kinds()) RenewEditingObject(kind);
}

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
}

std::string TRenderContext::ResolveMediaPath(const std::string& path) const
{
  if (path.empty() || ProgramFolder.empty()) return path;
  std::filesystem::path media(path);
  if (media.is_absolute()) return path;
  return (std::filesystem::path(ProgramFolder) / media).lexically_normal().string();
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

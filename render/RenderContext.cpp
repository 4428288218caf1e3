#include "render/RenderContext.h"

#include <filesystem>
#include <stdexcept>

#include "render/FlashObj.h"
#include "render/FlashObjRegistry.h"
#include "render/RenderBudget.h"

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

namespace {

// Whether the file, its links followed, lies in the folder or below it.
bool LiesIn(const std::filesystem::path& file, const std::string& folder)
{
  if (folder.empty()) return false;
  std::error_code failed;
  const std::filesystem::path real = std::filesystem::weakly_canonical(file, failed);
  if (failed) return false;
  const std::filesystem::path root = std::filesystem::weakly_canonical(folder, failed);
  if (failed || root.empty()) return false;
  const std::filesystem::path inside = real.lexically_relative(root);
  return !inside.empty() && *inside.begin() != "..";
}

} // namespace

bool TRenderContext::MissingMediaToldBefore(const std::string& name, const std::string& path)
{
  if (!TellMissingMediaOnce || name.empty()) return false;
  std::error_code ignored;
  if (std::filesystem::exists(path, ignored)) {
    ToldMissingMedia.erase(name);
    return false;
  }
  return !ToldMissingMedia.insert(name).second;
}

std::string TRenderContext::ResolveMediaPath(const std::string& path) const
{
  const std::filesystem::path media(path);
  std::string resolved;
  if (path.empty() || media.is_absolute()) {
    resolved = path;
  } else {
    const auto under = [&](const std::string& folder) {
      return (std::filesystem::path(folder) / media).lexically_normal().string();
    };
    std::error_code ignored;
    if (!CardFolder.empty() && (ProgramFolder.empty() || std::filesystem::exists(under(CardFolder), ignored)))
      resolved = under(CardFolder);
    else
      resolved = ProgramFolder.empty() ? path : under(ProgramFolder);
  }
  // The templates' own pictures and tunes are the program's, as the library is: a card made
  // from a template and saved elsewhere still reads them.
  const auto shipped = [&] {
    return !ProgramFolder.empty() &&
           (LiesIn(resolved, ProgramFolder + "/library") || LiesIn(resolved, ProgramFolder + "/template"));
  };
  if (ConfineMedia && !resolved.empty() && !LiesIn(resolved, CardFolder) && !shipped())
    throw TRenderRefused("\"" + path + "\" lies outside the card's folder and the library, so it is not read");
  return resolved;
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

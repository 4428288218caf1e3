#include "tools/CardSounds.h"

#include <filesystem>

#include "document/XMLUnit.h"
#include "platform/DerivedFile.h"
#include "plugins/SoundImport.h"
#include "render/EditorInterfaces.h"
#include "render/RenderContext.h"

namespace tools {

namespace {

bool ConvertedIsCurrent(const std::string& source)
{
  std::error_code error;
  const std::string converted = files::DerivedFileForReading(source, "_tmp.wav");
  if (!std::filesystem::is_regular_file(converted, error)) return false;
  const auto made = std::filesystem::last_write_time(converted, error);
  if (error) return false;
  const auto changed = std::filesystem::last_write_time(source, error);
  return !error && made >= changed;
}

} // namespace

void PrepareCardSounds(const std::string& cardFile, const TRenderContext& context, IUserMessages* messages)
{
  TXMLCardDocument document(cardFile);
  TXMLMovie movie = BindMovie(document);
  TXMLObjList objects = movie.Obj();
  for (int i = 0; i < objects.Count(); ++i) {
    TXMLObj object = objects.Item(i);
    if (object.ObjTypeName() != "Sound") continue;
    const std::string content = object.ObjType().ObjSound().Content();
    if (content.empty()) continue;
    const std::string source = context.ResolveMediaPath(content);
    std::error_code error;
    if (!std::filesystem::is_regular_file(source, error) || ConvertedIsCurrent(source)) continue;
    try {
      plugins::ImportSound(source, nullptr);
    } catch (const plugins::TSoundImportError& failure) {
      if (messages)
        messages->ShowError(std::string(failure.what()) + (failure.Detail().empty() ? "" : " (" + failure.Detail() + ")"));
    }
  }
}

} // namespace tools

#include "tools/CachedPictureExaminer.h"

#include <filesystem>
#include <map>
#include <optional>
#include <stdexcept>

namespace {

class TCachedPictureExaminer : public IPictureExaminer {
public:
  TCachedPictureExaminer(std::unique_ptr<IPictureExaminer> inner, std::string keptPrefix)
      : Inner(std::move(inner)), KeptPrefix(std::move(keptPrefix))
  {
  }

  void SetPictureFile(const std::string& path) override { Path = path; }

  bool Examine() override
  {
    auto found = Results.find(Path);
    if (found == Results.end()) found = Results.emplace(Path, ExamineOnce()).first;
    const TResult& result = found->second;
    if (result.Failure) throw std::runtime_error(*result.Failure);
    if (result.Accepted) Current = result;
    return result.Accepted;
  }

  std::string WorkFile() const override { return Current.WorkFile; }
  int Width() const override { return Current.Width; }
  int Height() const override { return Current.Height; }

private:
  struct TResult {
    bool Accepted = false;
    std::string WorkFile;
    int Width = 0;
    int Height = 0;
    std::optional<std::string> Failure;
  };

  TResult ExamineOnce()
  {
    TResult result;
    Inner->SetPictureFile(Path);
    try {
      result.Accepted = Inner->Examine();
    } catch (const std::exception& error) {
      result.Failure = error.what();
      return result;
    }
    if (!result.Accepted) return result;
    // The inner examiner has one work file for all pictures: keep a copy of each.
    result.WorkFile = KeptPrefix + std::to_string(Results.size()) + ".jpg";
    std::filesystem::copy_file(Inner->WorkFile(), result.WorkFile, std::filesystem::copy_options::overwrite_existing);
    result.Width = Inner->Width();
    result.Height = Inner->Height();
    return result;
  }

  std::unique_ptr<IPictureExaminer> Inner;
  std::string KeptPrefix;
  std::string Path;
  std::map<std::string, TResult> Results;
  TResult Current;
};

} // namespace

std::unique_ptr<IPictureExaminer> MakeCachedPictureExaminer(TRenderContext& context, const std::string& keptPrefix)
{
  if (!PictureExaminerFactory()) return nullptr;
  std::unique_ptr<IPictureExaminer> inner = PictureExaminerFactory()(context);
  if (!inner) return nullptr;
  return std::make_unique<TCachedPictureExaminer>(std::move(inner), keptPrefix);
}

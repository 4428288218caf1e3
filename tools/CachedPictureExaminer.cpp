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

  std::string WorkFile() const override { return Current.Frames.empty() ? std::string() : Current.Frames.front().WorkFile; }
  int Width() const override { return Current.Width; }
  int Height() const override { return Current.Height; }
  std::vector<TPictureFrameFile> Frames() const override { return Current.Frames; }

private:
  struct TResult {
    bool Accepted = false;
    std::vector<TPictureFrameFile> Frames;
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
    // The inner examiner has one set of work files for all pictures: keep a copy of each
    // (every frame of an animation).
    const std::string kept = KeptPrefix + std::to_string(Results.size());
    for (const TPictureFrameFile& frame : Inner->Frames()) {
      const std::string copy =
          kept + "-" + std::to_string(result.Frames.size()) + std::filesystem::path(frame.WorkFile).extension().string();
      std::filesystem::copy_file(frame.WorkFile, copy, std::filesystem::copy_options::overwrite_existing);
      result.Frames.push_back({copy, frame.DelayMs});
    }
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

// Installs TPic as the examiner that render contexts make on first use.
#include <memory>

#include "render/EditorInterfaces.h"
#include "render/Pic.h"
#include "render/RenderContext.h"

namespace {

// Hands a refusal to whatever message box the context has when the refusal happens: the
// editor may set its messages after the examiner was made.
class TContextMessages : public IUserMessages {
public:
  explicit TContextMessages(TRenderContext& context) : Ctx(context) {}
  void ShowError(const std::string& text) override
  {
    if (Ctx.Messages) Ctx.Messages->ShowError(text);
  }
  void ShowRefusal(const std::string& text) override
  {
    if (Ctx.Messages) Ctx.Messages->ShowRefusal(text);
  }
  bool OfferScaleDown(const std::string& refusal, const std::string& question) override
  {
    if (Ctx.ScaleLargePictures) return true;
    return Ctx.Messages ? Ctx.Messages->OfferScaleDown(refusal, question) : false;
  }

private:
  TRenderContext& Ctx;
};

// The examiner with the messages adapter it refers to.
class TContextPic : public TPic {
public:
  explicit TContextPic(TRenderContext& context)
      : TPic(context.WorkBasePath, &Messages), Messages(context), Ctx(context)
  {
  }

  bool Examine() override
  {
    ScalesWithNote = Ctx.ScaleLargePictures;
    return TPic::Examine();
  }

private:
  TContextMessages Messages;
  TRenderContext& Ctx;
};

struct TPicFactoryRegistrar {
  TPicFactoryRegistrar()
  {
    SetPictureExaminerFactory([](TRenderContext& context) -> std::unique_ptr<IPictureExaminer> {
      return std::make_unique<TContextPic>(context);
    });
  }
};
const TPicFactoryRegistrar Registrar;

} // namespace

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

private:
  TRenderContext& Ctx;
};

// The examiner with the messages adapter it refers to.
class TContextPic : public TPic {
public:
  explicit TContextPic(TRenderContext& context)
      : TPic(context.WorkBasePath, &Messages), Messages(context)
  {
  }

private:
  TContextMessages Messages;
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

#include "panels/InsertObject.h"

#include "panels/PanelHost.h"
#include "render/FlashObj.h"
#include "render/RenderContext.h"

void InsertObject(const std::string& kind) {
  IPanelHost* host = PanelHost();
  if (!host)
    return;
  TFlashObj* object = host->RenderContext().EditingObject(kind);
  if (!object)
    return;
  // AddNew ends by selecting the new node, which replaces `object`: it is not used again.
  object->AddNew();
  host->RenderCard();
}

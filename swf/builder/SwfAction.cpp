#include "swf/builder/SwfAction.h"

#include "swf/builder/TagWriters.h"

namespace swf {

void TSwfAction::MakeActionStop() { FCodes = {ActionStop}; }

}  // namespace swf

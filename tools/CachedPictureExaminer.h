// A picture examiner that examines each picture file once and keeps its JPEG work file, so
// a card rendered many times does not decode and encode the same pictures again.
#pragma once

#include <memory>
#include <string>

#include "render/PictureExaminer.h"

// Wraps the examiner the installed factory makes for `context`; kept work files are named
// keptPrefix + a number. Nullptr when no factory is installed.
std::unique_ptr<IPictureExaminer> MakeCachedPictureExaminer(TRenderContext& context, const std::string& keptPrefix);

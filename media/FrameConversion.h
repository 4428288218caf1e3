// Turning Qt images into the decoders' plain frames and back, and scaling a frame down.
#pragma once

#include <QImage>

#include "media/PictureDecoder.h"

namespace media {

// The image as straight RGBA bytes. Throws TMediaError (naming `path`) when memory runs out.
TRgbaFrame FrameFromImage(const QImage& image, const std::string& path);

// A view of the frame's pixels (no copy): valid while the frame lives and is not changed.
QImage ImageOfFrame(const TRgbaFrame& frame);

// The frame scaled down smoothly to fit within maxWidth x maxHeight, proportions kept;
// unchanged when it already fits.
void FitFrame(TRgbaFrame& frame, int maxWidth, int maxHeight, const std::string& path);

}  // namespace media

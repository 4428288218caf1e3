// The bodies of the tags the builder writes, each from plain values: one function per tag,
// so the bytes can be checked one by one against known vectors.
#pragma once

#include <cstdint>
#include <vector>

#include "swf/format/SwfBitWriter.h"
#include "swf/format/SwfTypes.h"

namespace swf {

// The file header of an uncompressed movie ("FWS"); fileLength counts the whole file.
std::vector<uint8_t> MovieHeader(uint8_t version, uint32_t fileLength, const TRect& stage,
                                 uint16_t frameRate88, uint16_t frameCount);

// Whole tags (header and body), appended to the writer.
void WriteFileAttributes(TSwfBitWriter& out, uint32_t flags);
void WriteSetBackgroundColor(TSwfBitWriter& out, const TRgba& colour);
void WriteShowFrame(TSwfBitWriter& out);
void WriteEnd(TSwfBitWriter& out);

// A new instance at an empty depth; the colour transform is written only when it is not
// the identity. With a filter list (a FILTERLIST, count first) the tag is a PlaceObject3.
void WritePlaceNew(TSwfBitWriter& out, uint16_t depth, uint16_t characterId, const TMatrix& matrix,
                   const TCxForm& cxForm, const std::vector<uint8_t>& filters = {});
// A change of the instance at a depth: only the fields given are written; a filter list
// (empty: the filters taken away) makes it a PlaceObject3.
void WritePlaceModify(TSwfBitWriter& out, uint16_t depth, const TMatrix* matrix, const TCxForm* cxForm,
                      const std::vector<uint8_t>* filters = nullptr);
void WriteRemove(TSwfBitWriter& out, uint16_t depth);

// DefineShape3: the character id followed by a body made by TShapeEncoder.
void WriteDefineShape3(TSwfBitWriter& out, uint16_t id, const std::vector<uint8_t>& body);
void WriteDefineShape4(TSwfBitWriter& out, uint16_t id, const std::vector<uint8_t>& body);
void WriteDefineBitsJpeg2(TSwfBitWriter& out, uint16_t id, const std::vector<uint8_t>& jpeg);
// Format 5 (32-bit premultiplied ARGB); `pixels` is the zlib stream of the rows.
void WriteDefineBitsLossless2(TSwfBitWriter& out, uint16_t id, uint16_t width, uint16_t height,
                              const std::vector<uint8_t>& pixels);
void WriteDefineSound(TSwfBitWriter& out, uint16_t id, uint8_t format, uint32_t sampleCount,
                      const std::vector<uint8_t>& data);
// An event sound started once, with no envelope or loops.
void WriteStartSound(TSwfBitWriter& out, uint16_t soundId);
// A frame action list: the given action codes (no payloads) followed by the end byte.
void WriteDoAction(TSwfBitWriter& out, const std::vector<uint8_t>& actionCodes);

constexpr uint8_t ActionStop = 0x07;

}  // namespace swf

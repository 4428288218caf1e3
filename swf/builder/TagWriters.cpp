#include "swf/builder/TagWriters.h"

#include "swf/format/TagCodes.h"

namespace swf {
namespace {

void Tag(TSwfBitWriter& out, TTagCode code, const TSwfBitWriter& body, bool forceLong = false) {
  out.Tag(static_cast<uint16_t>(code), body.Data(), forceLong);
}

}  // namespace

std::vector<uint8_t> MovieHeader(uint8_t version, uint32_t fileLength, const TRect& stage,
                                 uint16_t frameRate88, uint16_t frameCount) {
  TSwfBitWriter w;
  w.U8('F');
  w.U8('W');
  w.U8('S');
  w.U8(version);
  w.U32(fileLength);
  w.Rect(stage);
  w.U16(frameRate88);
  w.U16(frameCount);
  return w.Take();
}

void WriteFileAttributes(TSwfBitWriter& out, uint32_t flags) {
  TSwfBitWriter body;
  body.U32(flags);
  Tag(out, TTagCode::FileAttributes, body);
}

void WriteSetBackgroundColor(TSwfBitWriter& out, const TRgba& colour) {
  TSwfBitWriter body;
  body.Rgb(colour);
  Tag(out, TTagCode::SetBackgroundColor, body);
}

void WriteShowFrame(TSwfBitWriter& out) { out.Tag(static_cast<uint16_t>(TTagCode::ShowFrame), {}); }

void WriteEnd(TSwfBitWriter& out) { out.Tag(static_cast<uint16_t>(TTagCode::End), {}); }

namespace {

// PlaceObject2's flag byte, or PlaceObject3's two with HasFilterList when there are filters.
// Enough for a placement without filters: flags, depth, id, matrix and colour transform.
constexpr size_t PlaceTagBytes = 64;

void PlaceFlags(TSwfBitWriter& body, uint8_t flags, bool hasFilters) {
  if (hasFilters) body.U16(static_cast<uint16_t>(0x0100 | flags));
  else body.U8(flags);
}

void FilterList(TSwfBitWriter& body, const std::vector<uint8_t>& filters) {
  if (filters.empty()) body.U8(0);
  else body.Bytes(filters);
}

}  // namespace

void WritePlaceNew(TSwfBitWriter& out, uint16_t depth, uint16_t characterId, const TMatrix& matrix,
                   const TCxForm& cxForm, const std::vector<uint8_t>& filters) {
  bool hasCxForm = !cxForm.IsIdentity();
  bool hasFilters = !filters.empty();
  TSwfBitWriter body;
  body.Reserve(PlaceTagBytes);
  PlaceFlags(body, 0x02 | 0x04 | (hasCxForm ? 0x08 : 0), hasFilters);  // HasCharacter, HasMatrix, HasColorTransform
  body.U16(depth);
  body.U16(characterId);
  body.Matrix(matrix);
  if (hasCxForm) body.CxForm(cxForm, true);
  if (hasFilters) FilterList(body, filters);
  Tag(out, hasFilters ? TTagCode::PlaceObject3 : TTagCode::PlaceObject2, body);
}

void WritePlaceModify(TSwfBitWriter& out, uint16_t depth, const TMatrix* matrix, const TCxForm* cxForm,
                      const std::vector<uint8_t>* filters) {
  TSwfBitWriter body;
  body.Reserve(PlaceTagBytes);
  PlaceFlags(body, 0x01 | (matrix ? 0x04 : 0) | (cxForm ? 0x08 : 0), filters != nullptr);  // Move
  body.U16(depth);
  if (matrix) body.Matrix(*matrix);
  if (cxForm) body.CxForm(*cxForm, true);
  if (filters) FilterList(body, *filters);
  Tag(out, filters ? TTagCode::PlaceObject3 : TTagCode::PlaceObject2, body);
}

void WriteRemove(TSwfBitWriter& out, uint16_t depth) {
  TSwfBitWriter body;
  body.U16(depth);
  Tag(out, TTagCode::RemoveObject2, body);
}

void WriteDefineShape3(TSwfBitWriter& out, uint16_t id, const std::vector<uint8_t>& body) {
  TSwfBitWriter tag;
  tag.U16(id);
  tag.Bytes(body);
  Tag(out, TTagCode::DefineShape3, tag);
}

void WriteDefineShape4(TSwfBitWriter& out, uint16_t id, const std::vector<uint8_t>& body) {
  TSwfBitWriter tag;
  tag.U16(id);
  tag.Bytes(body);
  Tag(out, TTagCode::DefineShape4, tag);
}

void WriteDefineBitsJpeg2(TSwfBitWriter& out, uint16_t id, const std::vector<uint8_t>& jpeg) {
  TSwfBitWriter tag;
  tag.U16(id);
  tag.Bytes(jpeg);
  // Bitmap tags always get the long header: some players ignore them otherwise.
  Tag(out, TTagCode::DefineBitsJPEG2, tag, true);
}

void WriteDefineBitsLossless2(TSwfBitWriter& out, uint16_t id, uint16_t width, uint16_t height,
                              const std::vector<uint8_t>& pixels) {
  TSwfBitWriter tag;
  tag.U16(id);
  tag.U8(5);
  tag.U16(width);
  tag.U16(height);
  tag.Bytes(pixels);
  Tag(out, TTagCode::DefineBitsLossless2, tag, true);
}

void WriteDefineSound(TSwfBitWriter& out, uint16_t id, uint8_t format, uint32_t sampleCount,
                      const std::vector<uint8_t>& data) {
  TSwfBitWriter tag;
  tag.U16(id);
  tag.U8(format);
  tag.U32(sampleCount);
  tag.Bytes(data);
  Tag(out, TTagCode::DefineSound, tag);
}

void WriteStartSound(TSwfBitWriter& out, uint16_t soundId) {
  TSwfBitWriter tag;
  tag.U16(soundId);
  tag.U8(0);  // SOUNDINFO: no sync flags, envelope, loops or in/out points
  Tag(out, TTagCode::StartSound, tag);
}

void WriteDoAction(TSwfBitWriter& out, const std::vector<uint8_t>& actionCodes) {
  TSwfBitWriter tag;
  for (uint8_t code : actionCodes) tag.U8(code);
  tag.U8(0);
  Tag(out, TTagCode::DoAction, tag);
}

}  // namespace swf

// TFlashObj: the base of the card object classes. One class per kind ("Text", "Pic",
// "Sound") serves both as the editing object of the selected object (document <-> panel)
// and, in a fresh instance per render, as the renderer of every object of its kind.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

class TRenderContext;
class TXMLObj;
namespace swf {
class ISwfMovie;
class ISwfObject;
} // namespace swf

class TFlashObj {
public:
  TFlashObj(TRenderContext& context, std::string objTypeName);
  virtual ~TFlashObj();
  TFlashObj(const TFlashObj&) = delete;
  TFlashObj& operator=(const TFlashObj&) = delete;

  // The nine operations, in slot order.
  // Gives the object a name unique within the document (the kinds then append the object).
  virtual void AddNew();
  // Reads object `index` of the document and issues its builder calls.
  virtual void Render(int index) = 0;
  // Ends the placement after EndTime: removed at EndTime + 1 when the preview's movie goes
  // on past it, otherwise added once more at EndTime.
  virtual void Finish();
  // After Render failed: ends what it placed as Finish would (nothing when it placed
  // nothing), so the next object neither joins nor takes away its letters. Never throws.
  void EndAfterFailure() noexcept;
  virtual void LoadFromDocument(int index) = 0;
  virtual void ShowInPanel() = 0;
  virtual void LoadAndShow(int index);
  virtual void ReadFromPanel() = 0;
  // Writes the fields into the object named by the library's selected node, and saves.
  virtual void StoreInDocument() = 0;
  virtual void ReadAndStore();

  // Sets ObjName from ObjTypeName and the first free number as the scan below finds it.
  void MakeUniqueName();

  // The fields mirror the document elements of the same names; pixels and frames from 0.
  std::string ObjName;
  std::int32_t StartTime = 0;
  std::int32_t EndTime = 0;
  std::int32_t Layer = 0;
  const std::string ObjTypeName;
  std::int32_t PositionX = 0;
  std::int32_t PositionY = 0;
  std::string EffectName;
  std::string EffectValue;

  TRenderContext& Context() const { return Ctx; }
  // The builder's movie and shape object; throw std::logic_error when there is none.
  swf::ISwfMovie& SwfMovie() const;
  swf::ISwfObject& SwfObject() const;

protected:
  // The AddNew of every kind: MakeUniqueName, a root node bearing ObjName at the end of the
  // library, a new Obj appended with ObjName, StartTime, EndTime, Layer 2 and ObjTypeName in
  // this order, then `writeDefaults` fills its kind's element; the document is saved and
  // the library selects its last node. Selecting opens the node in a new editing object,
  // which may free this one: the caller touches nothing of its object afterwards.
  void AppendNewObject(std::int32_t startTime, std::int32_t endTime,
                       const std::function<void(TXMLObj&)>& writeDefaults);
  // The preview's current frame (frames from 0), or 0 without a preview.
  std::int32_t PreviewFrame() const;
  // The StoreInDocument walk of every kind: the first object whose ObjName equals the
  // caption of the library's selected node is the target; `writeFields` runs when its
  // ObjTypeName is this kind's, then the document is saved and the walk ends whether the
  // kind matched or not. An error in one step (no node selected, an element that cannot
  // hold a value) is ignored and the walk goes on with the next object.
  void StoreInSelectedObject(const std::function<void(TXMLObj&)>& writeFields);

  // Renderers call this once they have made their content in the shared shape object in
  // the current render. Finish of an object that made nothing only moves to its frame:
  // the shape object then still holds another object's content, which must not be added
  // again or taken away on this object's behalf.
  void MarkContentMade() { ContentMade = true; }
  bool MadeContent() const { return ContentMade; }
  // Called at the start of each Render.
  void ForgetContent() { ContentMade = false; }

private:
  TRenderContext& Ctx;
  bool ContentMade = false;
};

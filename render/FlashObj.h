// TFlashObj: the base of the card object classes. One class per kind ("Text", "Pic",
// "Sound") serves both as the editing object of the selected object (document <-> panel)
// and, in a fresh instance per render, as the renderer of every object of its kind.
#pragma once

#include <cstdint>
#include <string>

class TRenderContext;

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

protected:
  // Renderers call this once they have made their content in the shared shape object in
  // the current render. Finish of an object that made nothing only moves to its frame:
  // the shape object then still holds another object's content, which must not be added
  // again or taken away on this object's behalf.
  void MarkContentMade() { ContentMade = true; }
  bool HasMadeContent() const { return ContentMade; }
  // Called at the start of each Render.
  void ForgetContent() { ContentMade = false; }

private:
  TRenderContext& Ctx;
  bool ContentMade = false;
};

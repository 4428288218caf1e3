// What the library and the property panels ask of the editor around them: the context of
// the card objects (document, binding, editing objects), the card's store and render, and
// the preview's frame. The main window installs one host for the program; tests install
// their own.
#pragma once

#include <string>

class TRenderContext;

class IPanelHost {
public:
  virtual ~IPanelHost() = default;

  // The one context of the card objects: the card document, its Movie binding, the editing
  // objects and the editor's views.
  virtual TRenderContext& RenderContext() = 0;
  // The card's ReadAndStore: the background panel, the loop flag and the preview's frame
  // count into the card, then into the card document, which is saved.
  virtual void StoreCard() = 0;
  // The card's BuildMovie with empty scope and no target: saves the document, renders the
  // working movie and reloads the preview at the frame it showed.
  virtual void RenderCard() = 0;
  // The card's TryEffect: plays an effect on the named text in the preview without storing
  // it; an empty effect name shows the card again. Hosts without a preview do nothing.
  virtual void TryEffect(const std::string& objectName, const std::string& effectName) {
    (void)objectName;
    (void)effectName;
  }
  // Moves the preview player to a frame (counted from 0).
  virtual void SetPreviewFrame(int frame) = 0;
  // The program-wide kind of the object last opened: "Text", "Pic" or "Sound".
  virtual void SetCurrentObjectKind(const std::string& kind) = 0;
};

// The installed host, or null when none is (the panels then only edit their controls).
IPanelHost* PanelHost();
void SetPanelHost(IPanelHost* host);

// The editor's tool windows (the background panel, the movie library and the text, picture
// and sound panels) as the main window sees them: one factory per kind.
//
// The main window creates every tool window through the factory registered for its kind,
// docked into its host panel ("PanelLeft" for the four property panels, "PanelObj" for the
// library) or floating (no host), and frees it again. A kind without a factory is simply
// absent. The standard panels register themselves in RegisterStandardToolWindows, which
// lists them in one place; tests may register their own factories.
#pragma once

#include <QString>
#include <functional>

class QWidget;

enum class TToolWindowKind { Background, Library, Text, Picture, Sound };

// Makes one tool window. host is the panel to dock into, or null for a floating window;
// owner is the main window (the parent of a floating window).
using TToolWindowFactory = std::function<QWidget*(QWidget* host, QWidget* owner)>;

class TToolWindowRegistry {
public:
  // Replaces the factory of that kind; an empty factory removes it.
  static void Register(TToolWindowKind kind, TToolWindowFactory factory);
  static TToolWindowFactory Find(TToolWindowKind kind);
  static bool Has(TToolWindowKind kind);
  static void Clear();
};

// Registers the panels this program has. Safe to call more than once.
void RegisterStandardToolWindows();

// The object names the windows carry ("BackgroundForm", "ObjListForm", "TextForm",
// "PicForm", "SoundForm").
QString ToolWindowName(TToolWindowKind kind);

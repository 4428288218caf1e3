// TUpdatingPanel: raises a panel's updating flag for the life of a scope, so that the
// panel's change handlers do nothing while an object fills it, and lowers it on every way
// out. Works with any panel interface that has SetUpdating(bool).
#pragma once

template <class TPanel>
class TUpdatingPanel {
public:
  explicit TUpdatingPanel(TPanel& panel) : Panel(panel) { Panel.SetUpdating(true); }
  ~TUpdatingPanel() { Panel.SetUpdating(false); }
  TUpdatingPanel(const TUpdatingPanel&) = delete;
  TUpdatingPanel& operator=(const TUpdatingPanel&) = delete;

private:
  TPanel& Panel;
};

#include "panels/PanelHost.h"

namespace {
IPanelHost* InstalledHost = nullptr;
}

IPanelHost* PanelHost() { return InstalledHost; }

void SetPanelHost(IPanelHost* host) { InstalledHost = host; }

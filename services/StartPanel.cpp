#include "services/StartPanel.h"

namespace services {
namespace {

StartPanel* gStartPanel = nullptr;

}  // namespace

void SetStartPanel(StartPanel* panel) { gStartPanel = panel; }
StartPanel* GetStartPanel() { return gStartPanel; }

}  // namespace services

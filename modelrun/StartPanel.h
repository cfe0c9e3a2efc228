// What the loaders need of the start panel: a place for the description of the compound, the
// emission and the estuary last loaded. The start panel implements this and registers itself while
// it is loaded; the model run never sees its widgets.
#pragma once
#include <string>

namespace modTulmo {

class StartPanel {
 public:
  virtual ~StartPanel() = default;

  virtual void ShowCompound(const std::string& description) = 0;
  virtual void ShowEmission(const std::string& description) = 0;
  virtual void ShowEstuary(const std::string& description) = 0;
};

// The panel the loaders write to; null means none is loaded (the loaders then show nothing).
void SetStartPanel(StartPanel* panel);
StartPanel* GetStartPanel();

}  // namespace modTulmo

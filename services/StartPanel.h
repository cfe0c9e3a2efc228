// What the loaders need of the start panel: a place for the description of the compound, the
// emission and the estuary last loaded. The start panel implements this and registers itself while
// it is loaded; the model run never sees its widgets. It lives below both, as the error reporter
// does, so neither the model run nor the shell reaches the other for it.
#pragma once
#include <string>

namespace services {

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

}  // namespace services

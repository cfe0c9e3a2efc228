#include "results/Register.h"

#include "results/frmResult.h"
#include "shell/ChildForms.h"

namespace Results {
void RegisterResultWindow() {
  ChildForms::Register("frmResult", [] { return new frmResult(); });
}
}  // namespace Results

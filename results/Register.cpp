#include "results/Register.h"

#include "results/frmResult.h"
#include "shell/ChildForms.h"

namespace Results {
void RegisterResultWindow() {
  ChildForms::Register("frmResult", ChildForms::Kind::Result, [] { return new frmResult(); });
}
}  // namespace Results

#include "shell/Progress.h"

#include <QObject>
#include <QVariant>

#include "platform/ui/CallByName.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Global.h"
#include "runtime/Guard.h"
#include "shell/MDIMain.h"

namespace Progress {
namespace {
constexpr const char* kModule = "Progress.bas";
float Get(QObject* bar, const char* name) { return ui::GetProperty(bar, name).toFloat(); }
void Set(QObject* bar, const char* name, float v) { ui::SetProperty(bar, name, QVariant(v)); }
}  // namespace

void ProgressStart(QObject* bar, int16_t start, int16_t minimum, int16_t maximum) {
  vb::Guard(kModule, "ProgressStart", [&] {
    Set(bar, "Min", minimum);
    Set(bar, "Max", maximum < 0 ? 50.0f : static_cast<float>(maximum));
    Set(bar, "Value", start);
  });
}

void ProgressUpdate(QObject* bar, std::optional<int16_t> value) {
  vb::Guard(kModule, "ProgressUpdate", [&] {
    if (value && *value != 0) {
      if (*value < Get(bar, "Max")) Set(bar, "Value", *value);
    } else if (Get(bar, "Value") != Get(bar, "Max")) {
      Set(bar, "Value", Get(bar, "Value") + 1);
    }
  });
}

void ProgressFinish(QObject* bar) {
  vb::Guard(kModule, "ProgressFinish", [&] { Set(bar, "Value", Get(bar, "Max")); });
}

void SampleProgress() {
  vb::Guard(kModule, "SampleProgress", [&] {
    QObject* bar = ui::Global<MDIMain>().prgBar;
    ProgressStart(bar, 0, 0, 500);
    for (int i = 0; i < 499; ++i) {
      ProgressUpdate(bar);
      ui::DoEvents();
    }
    ProgressFinish(bar);
    ProgressStart(bar, 0, 0, 100);
  });
}

}  // namespace Progress

#include "services/Useful.h"

#include <QString>
#include <QWidget>
#include <cmath>

#include "platform/ui/Forms.h"
#include "platform/ui/MsgBox.h"
#include "runtime/Guard.h"
#include "runtime/Math.h"

bool gblnDecimalComma = false;

namespace Useful {
namespace {

// The own message of chgDecimal and Log10 in place of the error box.
void OwnMessage(const char* procedure) {
  const vb::ErrObject& err = vb::Err();
  ui::MsgBox("Error " + std::to_string(err.Number) + " (" + err.Description + ") in procedure " + procedure +
                 " of Module Useful",
             ui::vbOKOnly, ui::kAppTitle);
  vb::Err().Clear();
}

}  // namespace

double GiveMax(double a, double b) {
  if (a >= b) return a;
  if (b > a) return b;
  ui::MsgBox("Error in function GiveMax", ui::vbOKOnly, ui::kAppTitle);
  return 0;
}

std::string chgDecimal(const std::string& s) {
  std::string result;
  if (!vb::Try([&] {
        if (s.empty()) return;
        if (!gblnDecimalComma) {
          result = s;
          return;
        }
        for (char c : s) {
          if (c == ',')
            result += '.';
          else if (c != '.')
            result += c;
        }
      })) {
    OwnMessage("chgDecimal");
    return {};
  }
  return result;
}

double Log10(double x) {
  double result = 0;
  if (!vb::Try([&] { result = vb::Div(vb::Log(x), std::log(10.0)); })) {
    OwnMessage("Log10");
    return 0;
  }
  return result;
}

bool blnFormOpen(std::string_view name) {
  bool open = false;
  vb::Guard("Useful", "blnFormOpen", [&] {
    const QString wanted = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())).toUpper();
    for (QWidget* w : ui::Forms()) {
      if (w->objectName().toUpper() == wanted) {
        open = true;
        break;
      }
    }
  });
  return open;
}

}  // namespace Useful

// Makes a window's controls follow its size: Init records every control's design geometry and the
// window's font size and fits the window to the screen; FormResize places every control in
// proportion to the window's current size, always from the recorded values. It never reports:
// a property a control lacks, or a step that fails, is passed over.
#pragma once
#include <cstdint>
#include <vector>

namespace ui {
class Form;
}

class class_Elastic {
 public:
  // nWindState: only whether it is given counts (then the window first takes the screen's size).
  void Init(ui::Form* frm, bool nWindState = false);
  void FormResize(ui::Form* frm);

  // The recorded state (twips), 32-bit so that large screens fit.
  int32_t nFormHeight = 0;
  int32_t nFormWidth = 0;
  int32_t nNumControls = -1;
  std::vector<int32_t> nTop, nLeft, nHeight, nWidth, nFontSize, nRightMargin;
  bool bFirstTime = false;
};

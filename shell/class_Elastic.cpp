#include "shell/class_Elastic.h"

#include <QWidget>
#include <cmath>
#include <limits>
#include <optional>

#include "platform/ui/CallByName.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Form.h"
#include "platform/ui/Twips.h"
#include "runtime/Guard.h"
#include "runtime/Variant.h"

namespace {

// Round half to even, into 32 bits; 6 (overflow) outside.
int32_t Round32(double v) {
  double r = std::nearbyint(v);
  if (!(r >= std::numeric_limits<int32_t>::min() && r <= std::numeric_limits<int32_t>::max())) vb::Raise(6);
  return static_cast<int32_t>(r);
}

// Int(recorded / ratio); a zero or unusable ratio fails (and the caller skips the property).
std::optional<double> Scaled(int32_t recorded, double ratio) {
  if (ratio == 0 || !std::isfinite(ratio)) return std::nullopt;
  double v = std::floor(recorded / ratio);
  if (!std::isfinite(v) || std::fabs(v) > 2e9) return std::nullopt;
  return v;
}

// Each step on its own: a failure is passed over without a word.
template <class F>
void Skip(F&& step) {
  vb::Try(std::forward<F>(step));
  vb::Err().Clear();
}

bool HasRightMargin(QObject* c) { return c->metaObject()->indexOfProperty("RightMargin") >= 0; }

}  // namespace

void class_Elastic::Init(ui::Form* frm, bool nWindState) {
  nFormHeight = Round32(frm->Height() + 1000);
  nFormWidth = Round32(frm->Width() + 1000);
  const std::vector<QObject*> controls = frm->Controls();
  nNumControls = static_cast<int32_t>(controls.size()) - 1;
  bFirstTime = true;
  const std::size_t n = controls.size();
  nTop.assign(n, 0);
  nLeft.assign(n, 0);
  nHeight.assign(n, 0);
  nWidth.assign(n, 0);
  nFontSize.assign(n, 0);
  nRightMargin.assign(n, 0);

  for (std::size_t i = 0; i < n; ++i) {
    QObject* c = controls[i];
    if (auto* line = qobject_cast<ui::Line*>(c)) {
      Skip([&] { nTop[i] = Round32(line->Y1()); });
      Skip([&] { nLeft[i] = Round32(line->X1()); });
      Skip([&] { nHeight[i] = Round32(line->Y2()); });
      Skip([&] { nWidth[i] = Round32(line->X2()); });
      continue;
    }
    auto* w = qobject_cast<QWidget*>(c);
    if (w) {
      Skip([&] { nTop[i] = Round32(ui::TopOf(w)); });
      Skip([&] { nLeft[i] = Round32(ui::LeftOf(w)); });
      Skip([&] { nHeight[i] = Round32(ui::HeightOf(w)); });
      Skip([&] { nWidth[i] = Round32(ui::WidthOf(w)); });
      Skip([&] { nFontSize[i] = Round32(frm->font().pointSizeF()); });
    }
    Skip([&] {
      if (HasRightMargin(c)) nRightMargin[i] = Round32(ui::GetProperty(c, "RightMargin").toDouble());
    });
  }

  const ui::ScreenSize screen = ui::Screen();
  Skip([&] {
    if (frm->Maximized() || nWindState) {
      frm->SetHeight(screen.height);
      frm->SetWidth(screen.width);
    }
  });
  Skip([&] { frm->SetHeight(static_cast<float>(frm->Height() * screen.height / 11500)); });
  Skip([&] { frm->SetWidth(static_cast<float>(frm->Width() * screen.width / 14000)); });
  bFirstTime = true;
}

void class_Elastic::FormResize(ui::Form* frm) {
  // Painting waits until every control has its place.
  const bool updates = frm->updatesEnabled();
  if (bFirstTime) {
    bFirstTime = false;
    return;
  }
  frm->setUpdatesEnabled(false);
  Skip([&] {
    if (frm->Height() < nFormHeight / 2.0) frm->SetHeight(nFormHeight / 2.0);
  });
  Skip([&] {
    if (frm->Width() < nFormWidth / 2.0) frm->SetWidth(nFormWidth / 2.0);
  });
  double hr = 0, wr = 0;
  Skip([&] {
    const double h = frm->Height() - 400;
    if (h == 0) vb::Raise(11);
    hr = (nFormHeight - 400) / h;
  });
  Skip([&] {
    const double w = frm->Width();
    if (w == 0) vb::Raise(11);
    wr = nFormWidth / w;
  });

  const std::vector<QObject*> controls = frm->Controls();
  const std::size_t n = std::min(controls.size(), nTop.size());
  for (std::size_t i = 0; i < n; ++i) {
    QObject* c = controls[i];
    if (auto* line = qobject_cast<ui::Line*>(c)) {
      if (auto v = Scaled(nTop[i], hr)) line->SetY1(*v);
      if (auto v = Scaled(nLeft[i], wr)) line->SetX1(*v);
      if (auto v = Scaled(nHeight[i], hr)) line->SetY2(*v);
      if (auto v = Scaled(nWidth[i], wr)) line->SetX2(*v);
      continue;
    }
    if (auto* w = qobject_cast<QWidget*>(c)) {
      if (auto v = Scaled(nTop[i], hr)) ui::SetTop(w, *v);
      if (auto v = Scaled(nLeft[i], wr)) ui::SetLeft(w, *v);
      if (auto v = Scaled(nHeight[i], hr)) ui::SetHeight(w, *v);
      if (auto v = Scaled(nWidth[i], wr)) ui::SetWidth(w, *v);
      if (auto v = Scaled(nFontSize[i], wr)) {
        const int f = static_cast<int>(*v);
        const int size = f + f % 2;
        if (size > 0) {
          QFont font = w->font();
          font.setPointSize(size);
          w->setFont(font);
        }
      }
    }
    if (HasRightMargin(c))
      if (auto v = Scaled(nRightMargin[i], hr)) Skip([&] { ui::SetProperty(c, "RightMargin", *v); });
  }
  frm->setUpdatesEnabled(updates);
}

#include "platform/map/Renderer.h"

#include <cmath>

#include "runtime/Variant.h"
#include "runtime/VbError.h"

namespace mapctl {

namespace {

constexpr int32_t kInvalidPropertyValue = 380;
constexpr int32_t kSubscriptOutOfRange = 9;

uint32_t Mix(uint32_t a, uint32_t b, int shift, double t) {
  double ca = (a >> shift) & 0xFFu, cb = (b >> shift) & 0xFFu;
  return static_cast<uint32_t>(std::lround(ca + (cb - ca) * t)) << shift;
}

Symbol DefaultClassSymbol() {
  Symbol s;
  s.Color = ClassBreaksRenderer::kDefaultClassColor;
  return s;
}

}  // namespace

ClassBreaksRenderer::ClassBreaksRenderer() : symbols_(1, DefaultClassSymbol()) {}

void ClassBreaksRenderer::SetBreakCount(int count) {
  if (count < 0 || count > kMaxClassCount - 1)
    vb::Raise(kInvalidPropertyValue, "ClassBreaksRenderer",
              "A renderer takes from 0 to " + std::to_string(kMaxClassCount - 1) + " breaks, not " +
                  std::to_string(count) + ".");
  breaks_.resize(static_cast<size_t>(count), 0.0);
  symbols_.resize(static_cast<size_t>(count) + 1, DefaultClassSymbol());
}

double ClassBreaksRenderer::Break(int index) const {
  if (index < 0 || index >= BreakCount()) vb::Raise(kSubscriptOutOfRange, "ClassBreaksRenderer");
  return breaks_[static_cast<size_t>(index)];
}

void ClassBreaksRenderer::SetBreak(int index, double value) {
  if (index < 0 || index >= BreakCount()) vb::Raise(kSubscriptOutOfRange, "ClassBreaksRenderer");
  breaks_[static_cast<size_t>(index)] = value;
}

Symbol& ClassBreaksRenderer::ClassSymbol(int index) {
  if (index < 0 || index >= ClassCount()) vb::Raise(kSubscriptOutOfRange, "ClassBreaksRenderer");
  return symbols_[static_cast<size_t>(index)];
}

const Symbol& ClassBreaksRenderer::ClassSymbol(int index) const {
  return const_cast<ClassBreaksRenderer*>(this)->ClassSymbol(index);
}

void ClassBreaksRenderer::RampColors(uint32_t start, uint32_t end) {
  int n = ClassCount();
  for (int k = 0; k < n; ++k) {
    double t = n > 1 ? static_cast<double>(k) / (n - 1) : 0.0;
    symbols_[static_cast<size_t>(k)].Color = Mix(start, end, 0, t) | Mix(start, end, 8, t) | Mix(start, end, 16, t);
  }
}

int ClassBreaksRenderer::ClassOf(double value) const {
  for (size_t i = 0; i < breaks_.size(); ++i)
    if (value <= breaks_[i]) return static_cast<int>(i);
  return BreakCount();
}

int ClassCountFromText(std::string_view text) {
  double value = 0;
  bool number = vb::ParseNumber(text, value) && std::isfinite(value);
  // nearbyint rounds halves to the even neighbour in the default rounding mode.
  double whole = number ? std::nearbyint(value) : 0;
  if (!number || whole < 1 || whole > ClassBreaksRenderer::kMaxClassCount)
    vb::Raise(kInvalidPropertyValue, "Validation",
              "The number of classes must be a whole number from 1 to " +
                  std::to_string(ClassBreaksRenderer::kMaxClassCount) + ".");
  return static_cast<int>(whole);
}

}  // namespace mapctl

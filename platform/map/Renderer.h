// Symbols and the class-break renderer: a field, ascending breaks, one symbol per class.
// n breaks give n + 1 classes; a value on a break belongs to the class below it.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mapctl {

struct Symbol {
  uint32_t Color = 0x808080;  // &HBBGGRR
  bool Outline = true;
  uint32_t OutlineColor = 0x000000;
  int Size = 1;  // line width in pixels; a point is drawn six times as wide
};

class ClassBreaksRenderer {
 public:
  // A renderer holds at most 256 classes; the class count the user types is checked against it.
  static constexpr int kMaxClassCount = 256;
  static constexpr uint32_t kDefaultClassColor = 0x808080;

  ClassBreaksRenderer();

  const std::string& Field() const { return field_; }
  void SetField(std::string field) { field_ = std::move(field); }

  int BreakCount() const { return static_cast<int>(breaks_.size()); }
  // Keeps the breaks and symbols already set below the new count; raises 380 outside 0..255.
  void SetBreakCount(int count);
  double Break(int index) const;
  void SetBreak(int index, double value);
  int ClassCount() const { return BreakCount() + 1; }
  // Symbol of a class, 0 .. BreakCount(); raises 9 outside.
  Symbol& ClassSymbol(int index);
  const Symbol& ClassSymbol(int index) const;

  // Colours the classes from `start` (lowest) to `end` (highest), evenly in red, green and blue.
  void RampColors(uint32_t start, uint32_t end);
  // The class of a value: the first class whose upper break is at or above it.
  int ClassOf(double value) const;

 private:
  std::string field_;
  std::vector<double> breaks_;
  std::vector<Symbol> symbols_;
};

// The class count typed by the user: a number that rounds (halves to even) to 1 .. 256.
// Anything else raises a "Validation" error 380, so a caller can keep its renderer.
int ClassCountFromText(std::string_view text);

}  // namespace mapctl

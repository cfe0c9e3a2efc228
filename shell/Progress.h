// Progress-bar helpers for any control with the properties Min, Max and Value (reached by name).
// Reports under the module name "Progress.bas".
#pragma once
#include <cstdint>
#include <optional>

class QObject;

namespace Progress {

// Min, then Max (50 for a negative maximum), then Value.
void ProgressStart(QObject* bar, int16_t start, int16_t minimum, int16_t maximum);
// A value other than 0 below Max becomes Value; without one (or 0) Value goes up one step, up to Max.
void ProgressUpdate(QObject* bar, std::optional<int16_t> value = std::nullopt);
void ProgressFinish(QObject* bar);
// The start-up animation on the main window's progress bar.
void SampleProgress();

}  // namespace Progress

#include "ui/backend/PickerLabel.h"

namespace {

// The height of a line of label text, and the room left above what it names.
constexpr int kLabelHeight = 8;
constexpr int kLabelGap = 2;

bool Overlap(const DluRect& a, const DluRect& b) {
  return a.x < b.Right() && b.x < a.Right() && a.y < b.Bottom() && b.y < a.Bottom();
}

}  // namespace

std::optional<DluRect> PickerLabelPlace(const DluRect& picker,
                                        std::span<const ControlTemplate> others) {
  const DluRect place{picker.x, picker.y - kLabelGap - kLabelHeight, picker.width, kLabelHeight};
  if (place.y < 0) return std::nullopt;
  for (const ControlTemplate& other : others) {
    if (other.kind != ControlKind::GroupBox && Overlap(other.rect, place)) return std::nullopt;
  }
  return place;
}

std::string PickerHolds(bool date, bool time, bool yearOnly) {
  if (yearOnly) return "Year";
  if (date && time) return "Date and time";
  return time ? "Time" : "Date";
}

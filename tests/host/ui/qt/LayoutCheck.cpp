#include "tests/host/ui/qt/LayoutCheck.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QStyle>
#include <limits>
#include <stdexcept>

#include "ui/backend/UiEventSink.h"

namespace {

// Room a push button's frame and padding take from its caption, each side.
constexpr int kButtonPadding = 4;
// Room before and after a group box's title on its top line.
constexpr int kGroupTitlePadding = 8;

std::string Name(const QtControl& control) {
  std::string name = ControlKindName(control.Kind());
  if (control.Id() != IDC_STATIC) name += " " + std::to_string(control.Id());
  const std::string caption = control.Text();
  if (!caption.empty() && control.Kind() != ControlKind::Edit &&
      control.Kind() != ControlKind::ComboBox) {
    name += " \"" + caption + "\"";
  }
  const DluRect& r = control.Template().rect;
  name += " [" + std::to_string(r.x) + "," + std::to_string(r.y) + " " + std::to_string(r.width) +
          "x" + std::to_string(r.height) + " dlu]";
  return name;
}

std::string Pixels(const QRect& rect) {
  return std::to_string(rect.x()) + "," + std::to_string(rect.y()) + " " +
         std::to_string(rect.width()) + "x" + std::to_string(rect.height()) + " px";
}

std::string Size(const QSize& size) {
  return std::to_string(size.width()) + "x" + std::to_string(size.height()) + " px";
}

// The size the control's caption needs, or an empty size when it shows none.
QSize CaptionNeeds(const QtControl& control) {
  const QWidget& widget = control.Widget();
  const QFontMetrics metrics(widget.font());
  const QStyle& style = *widget.style();
  switch (control.Kind()) {
    case ControlKind::Label: {
      const auto& label = static_cast<const QLabel&>(widget);
      if (label.text().isEmpty()) return {};
      const QRect wrapped =
          metrics.boundingRect(QRect(0, 0, widget.width(), std::numeric_limits<int>::max() / 2),
                               Qt::TextWordWrap | int(label.alignment()) |
                                   (label.buddy() != nullptr ? Qt::TextShowMnemonic : 0),
                               label.text());
      return wrapped.size();
    }
    case ControlKind::PushButton: {
      const QString text = static_cast<const QAbstractButton&>(widget).text();
      if (text.isEmpty()) return {};
      const QSize caption = metrics.size(Qt::TextShowMnemonic, text);
      return caption + QSize(2 * kButtonPadding, 4);
    }
    case ControlKind::CheckBox:
    case ControlKind::RadioButton: {
      const QString text = static_cast<const QAbstractButton&>(widget).text();
      if (text.isEmpty()) return {};
      const bool radio = control.Kind() == ControlKind::RadioButton;
      const int indicator = style.pixelMetric(
          radio ? QStyle::PM_ExclusiveIndicatorWidth : QStyle::PM_IndicatorWidth, nullptr, &widget);
      const int indicatorHeight = style.pixelMetric(
          radio ? QStyle::PM_ExclusiveIndicatorHeight : QStyle::PM_IndicatorHeight, nullptr,
          &widget);
      const int spacing = style.pixelMetric(
          radio ? QStyle::PM_RadioButtonLabelSpacing : QStyle::PM_CheckBoxLabelSpacing, nullptr,
          &widget);
      const QSize caption = metrics.size(Qt::TextShowMnemonic, text);
      return QSize(indicator + spacing + caption.width(),
                   std::max(indicatorHeight, caption.height()));
    }
    case ControlKind::GroupBox: {
      const QString title = static_cast<const QGroupBox&>(widget).title();
      if (title.isEmpty()) return {};
      const QSize caption = metrics.size(Qt::TextShowMnemonic, title);
      return QSize(caption.width() + 2 * kGroupTitlePadding, caption.height());
    }
    default:
      return {};
  }
}

class NoEvents final : public UiEventSink {
 public:
  void OnControlNotify(int, int) override {}
};

}  // namespace

std::vector<std::string> CheckLayout(const QtUiWindow& window) {
  std::vector<std::string> problems;
  const auto& controls = window.Controls();
  const DialogTemplate& shown = window.Template();
  const QRect dialog(QPoint(0, 0), window.Scale().ToPixels(shown.width, shown.height));
  for (const auto& control : controls) {
    const QRect place = window.Place(control->Widget());
    const QSize needs = CaptionNeeds(*control);
    if (!needs.isEmpty() && (needs.width() > place.width() || needs.height() > place.height())) {
      problems.push_back(Name(*control) + " shows its caption in " + Size(place.size()) +
                         " but needs " + Size(needs));
    }
    if (!dialog.contains(place)) {
      problems.push_back(Name(*control) + " at " + Pixels(place) + " reaches outside the " +
                         Size(dialog.size()) + " dialog");
    }
  }
  for (std::size_t i = 0; i < controls.size(); ++i) {
    if (controls[i]->Kind() == ControlKind::GroupBox) continue;
    const QRect first = window.Place(controls[i]->Widget());
    for (std::size_t j = i + 1; j < controls.size(); ++j) {
      if (controls[j]->Kind() == ControlKind::GroupBox) continue;
      const QRect second = window.Place(controls[j]->Widget());
      if (first.intersects(second)) {
        problems.push_back(Name(*controls[i]) + " at " + Pixels(first) + " overlaps " +
                           Name(*controls[j]) + " at " + Pixels(second));
      }
    }
  }
  return problems;
}

std::vector<std::string> CheckLayout(UiBackend& backend, const DialogTemplate& dialog) {
  NoEvents events;
  const WindowRole role =
      (dialog.style & DialogStyle::Child) != 0 ? WindowRole::PropertyPage : WindowRole::Modeless;
  std::unique_ptr<UiWindow> window = backend.CreateWindow(dialog, role, nullptr, events);
  auto* qtWindow = dynamic_cast<QtUiWindow*>(window.get());
  if (!qtWindow) throw std::logic_error("the layout check needs the Qt backend");
  return CheckLayout(*qtWindow);
}

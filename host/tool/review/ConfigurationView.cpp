#include "tool/review/ConfigurationView.h"

#include <array>
#include <new>
#include <stdexcept>

#include "tool/module/HolidayDialog.h"
#include "tool/module/Module.h"
#include "ui/backend/UiRunAborted.h"
#include "ui/scripted/ScriptedBackend.h"

namespace {

// The page or its dialog ran out of memory and said so in a message box.
class OutOfMemoryShown : public UiRunAborted {
 public:
  using UiRunAborted::UiRunAborted;
};

bool Listed(ControlKind kind) {
  return kind != ControlKind::Label && kind != ControlKind::GroupBox &&
         kind != ControlKind::PushButton;
}

}  // namespace

const char* PasswordWord(PasswordShown shown) {
  // In the order of the enumeration.
  constexpr std::array<const char*, 3> kWords = {"set", "empty", "unreadable, kept"};
  return kWords.at(static_cast<std::size_t>(shown));
}

bool ShownControl::ShowsSameAs(const ShownControl& other) const {
  return label == other.label && group == other.group && kind == other.kind &&
         enabled == other.enabled && checked == other.checked && text == other.text &&
         password == other.password && secret == other.secret;
}

std::vector<ShownControl> ShownControls(const ScriptedWindow& window) {
  const DialogTemplate& dialog = window.Template();
  std::vector<ShownControl> shown;
  for (std::size_t i = 0; i < dialog.controls.size(); ++i) {
    const ControlTemplate& control = dialog.controls[i];
    if (control.id == IDC_STATIC || !Listed(control.kind)) continue;
    ShownControl c;
    c.id = control.id;
    c.label = dialog.FieldName(control.id);
    c.group = dialog.GroupName(control.id);
    c.kind = control.kind;
    c.enabled = window.IsEnabled(control.id);
    switch (control.kind) {
      case ControlKind::CheckBox:
      case ControlKind::RadioButton:
        c.checked = window.Check(control.id) == BST_CHECKED;
        break;
      case ControlKind::DateTimePicker:
        c.text = window.DateTime(control.id).IsoDate();
        break;
      case ControlKind::ListBox: {
        const int selected = window.Selection(control.id);
        c.text = selected < 0 ? std::string() : window.ItemText(control.id, selected);
        break;
      }
      case ControlKind::ListView:
        c.text = std::to_string(window.RowCount(control.id)) + " rows";
        break;
      default:
        // What counts as a password is the control's style, never its name.
        if (control.Has(ControlStyle::Password)) {
          c.secret = window.Text(control.id);
          c.password = !c.secret.empty()                        ? PasswordShown::Set
                       : window.Control(control.id).cue.empty() ? PasswordShown::Empty
                                                                : PasswordShown::Unreadable;
        } else {
          c.text = window.Text(control.id);
        }
        break;
    }
    shown.push_back(std::move(c));
  }
  return shown;
}

ConfigurationView ViewConfiguration(Module& module, ConfigKind kind, CPrivateProperty& bag,
                                    bool withCalendar) {
  ConfigurationView view;
  if (kind == ConfigKind::Handler && withCalendar) view.calendar.emplace();
  try {
    module.Play(kind, bag, [&](ScriptedBackend& ui) {
      // Looked at before anything is touched.
      ui.Then([&] {
        const ScriptedWindow& page = *ui.TargetWindow();
        view.title = page.Template().title;
        view.controls = ShownControls(page);
      });
      if (view.calendar) HolidayDialog::QueueCalendar(ui, *view.calendar);
      // A page or dialog that failed says so in an error message box, and shows
      // what it could, which is not what is stored.
      ui.Then([&ui] {
        for (const MessageRecord& message : ui.Messages()) {
          if (message.request.Icon() != MessageIcon::Error) continue;
          if (message.request.text == std::bad_alloc().what()) throw OutOfMemoryShown("");
          throw UiRunAborted("it showed the error \"" + message.request.text + "\"");
        }
      });
    });
  } catch (const OutOfMemoryShown&) {
    throw std::bad_alloc();
  } catch (const UiRunAborted& e) {
    throw std::runtime_error(std::string("the module's page did not answer as expected: ") +
                             e.what());
  }
  return view;
}

#include "tool/module/PageCheck.h"

#include "tool/module/Module.h"
#include "ui/scripted/ScriptedBackend.h"

std::optional<PageRefusal> PressOk(Module& module, ConfigKind kind, CPrivateProperty& bag) {
  PageRefusal refusal;
  ActionTrace ok;
  const bool accepted = module.Play(kind, bag, [&](ScriptedBackend& ui) {
    ui.Queue(user::Close{true}, &ok);
    // Runs only when the page refused and its sheet is still open: the focus then
    // rests on the control the refusal is about.
    ui.Then([&] {
      if (const ScriptedWindow* page = ui.TargetWindow(); page != nullptr) {
        const int id = page->FocusedControl();
        if (page->Template().FindControl(id) != nullptr) {
          refusal.controlId = id;
          const ControlTemplate* named = page->Template().NamedBy(id);
          if (named != nullptr) refusal.controlCaption = named->caption;
        }
      }
    });
  });
  if (accepted) return std::nullopt;
  refusal.message = ok.messages.empty() ? std::string("the page refused without a message")
                                        : ok.messages.back().request.text;
  return refusal;
}

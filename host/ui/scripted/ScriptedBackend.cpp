#include "ui/scripted/ScriptedBackend.h"

#include <algorithm>
#include <ostream>
#include <stdexcept>

#include "ui/scripted/ScriptError.h"
#include "ui/scripted/ScriptExecutor.h"
#include "ui/scripted/ScriptParser.h"
#include "ui/scripted/UserActionError.h"

namespace {

// Keeps the frame on the stack for as long as it runs, however its run ends.
template <class Frame>
class FrameScope {
 public:
  FrameScope(std::vector<Frame*>& frames, Frame& frame) : frames_(frames) {
    frames_.push_back(&frame);
  }
  ~FrameScope() { frames_.pop_back(); }
  FrameScope(const FrameScope&) = delete;
  FrameScope& operator=(const FrameScope&) = delete;

 private:
  std::vector<Frame*>& frames_;
};

bool AllowedAnswer(unsigned buttons, const std::string& answer) {
  switch (buttons) {
    case MB_OK:
      return answer == "ok";
    case MB_OKCANCEL:
      return answer == "ok" || answer == "cancel";
    case MB_YESNO:
      return answer == "yes" || answer == "no";
    case MB_YESNOCANCEL:
      return answer == "yes" || answer == "no" || answer == "cancel";
    default:
      return false;
  }
}

int AnswerId(const std::string& answer) {
  if (answer == "cancel") return IDCANCEL;
  if (answer == "yes") return IDYES;
  if (answer == "no") return IDNO;
  return IDOK;
}

}  // namespace

ScriptedWindow* ScriptedBackend::Frame::Target() const {
  return dialog ? dialog : pages.at(static_cast<std::size_t>(activePage));
}

ScriptedBackend::ScriptedBackend() = default;

ScriptedBackend::~ScriptedBackend() = default;

void ScriptedBackend::Load(std::string_view script) {
  std::vector<ScriptAction> actions = ParseScript(script, nextLine_);
  nextLine_ += static_cast<int>(std::count(script.begin(), script.end(), '\n')) + 1;
  for (ScriptAction& action : actions) pending_.push_back(std::move(action));
}

void ScriptedBackend::Then(std::function<void()> step) {
  ScriptAction action;
  action.step = std::move(step);
  pending_.push_back(std::move(action));
}

void ScriptedBackend::RunPending() {
  ScriptExecutor executor(*this);
  const bool outer = !runningPending_;
  runningPending_ = true;
  try {
    while (!pending_.empty()) {
      ScriptAction action = std::move(pending_.front());
      pending_.pop_front();
      executor.Execute(action, frames_.empty() ? nullptr : frames_.back());
    }
  } catch (...) {
    if (outer) runningPending_ = false;
    throw;
  }
  if (outer) runningPending_ = false;
}

ScriptedWindow* ScriptedBackend::TargetWindow() const {
  if (!frames_.empty()) return frames_.back()->Target();
  return windows_.empty() ? nullptr : windows_.back();
}

ScriptedWindow* ScriptedBackend::FindWindow(int templateId) const {
  for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
    if ((*it)->Template().id == templateId) return *it;
  }
  return nullptr;
}

void ScriptedBackend::WindowCreated(ScriptedWindow& window) { windows_.push_back(&window); }

void ScriptedBackend::WindowDestroyed(ScriptedWindow& window) { std::erase(windows_, &window); }

std::unique_ptr<UiWindow> ScriptedBackend::CreateWindow(const DialogTemplate& dialog,
                                                        WindowRole role, UiWindow*,
                                                        UiEventSink& events) {
  return std::make_unique<ScriptedWindow>(*this, dialog, role, events,
                                          now_ ? *now_ : DateTimeValue::Now());
}

bool ScriptedBackend::RunFrame(Frame& frame, const std::function<bool()>& ended) {
  FrameScope scope(frames_, frame);
  ScriptExecutor executor(*this);
  while (!ended()) {
    if (pending_.empty()) return false;
    ScriptAction action = std::move(pending_.front());
    pending_.pop_front();
    executor.Execute(action, &frame);
  }
  return true;
}

void ScriptedBackend::RefuseLeftoverLines(const char* closed) const {
  if (!frames_.empty() || runningPending_) return;
  ThrowForFirstLeftoverLine(closed);
}

void ScriptedBackend::BeforeLastWindowCloses(const char* closing) {
  // Only the outermost frame is still running: once it closes, what is left of the
  // script has no window, so refuse now, before the closing does its work.
  if (frames_.size() != 1 || runningPending_) return;
  ThrowForFirstLeftoverLine(closing);
}

void ScriptedBackend::ThrowForFirstLeftoverLine(const char* closed) const {
  for (const ScriptAction& action : pending_) {
    if (action.step) continue;
    throw ScriptError(action.line, "no window is left for '" + action.verb + "': the " + closed +
                                       " closed before this line");
  }
}

int ScriptedBackend::RunDialog(ScriptedWindow& window) {
  Frame frame;
  frame.dialog = &window;
  if (RunFrame(frame, [&window] { return window.HasEnded(); })) {
    RefuseLeftoverLines("dialog");
  } else {
    // The script has run out: the user closes the dialog.
    try {
      window.UserCloseWith(IDCANCEL);
    } catch (const UserActionError&) {
    }
    if (!window.HasEnded()) window.EndModal(IDCANCEL);
  }
  return window.Result();
}

bool ScriptedBackend::RunPropertySheet(std::string_view, std::string_view,
                                       std::span<const SheetPage> pages,
                                       PropertySheetListener& listener) {
  Frame frame;
  frame.listener = &listener;
  for (const SheetPage& page : pages) {
    auto* window = dynamic_cast<ScriptedWindow*>(page.window);
    if (!window) throw std::logic_error("a sheet page was not made by the scripted backend");
    frame.pages.push_back(window);
  }
  if (frame.pages.empty()) throw std::logic_error("a property sheet needs at least one page");
  if (RunFrame(frame, [&frame] { return frame.ended; })) RefuseLeftoverLines("property sheet");
  return frame.ended && frame.accepted;
}

void ScriptedBackend::ReplaceSheetPage(int index, const SheetPage& page) {
  auto* window = dynamic_cast<ScriptedWindow*>(page.window);
  if (!window) throw std::logic_error("a sheet page was not made by the scripted backend");
  for (auto it = frames_.rbegin(); it != frames_.rend(); ++it) {
    Frame& frame = **it;
    if (frame.dialog || !frame.listener) continue;
    frame.pages.at(static_cast<std::size_t>(index)) = window;
    frame.activePage = index;
    return;
  }
  throw std::logic_error("no property sheet is running");
}

std::optional<ScriptAction> ScriptedBackend::TakeIf(std::string_view verb) {
  if (pending_.empty() || pending_.front().step || pending_.front().verb != verb) {
    return std::nullopt;
  }
  ScriptAction action = std::move(pending_.front());
  pending_.pop_front();
  return action;
}

int ScriptedBackend::MessageBox(UiWindow*, const MessageBoxRequest& request) {
  MessageRecord record{request, request.DefaultAnswer()};
  if (messageStream_) {
    const char* icon = MessageIconName(request.Icon());
    *messageStream_ << request.caption << (*icon ? std::string(" (") + icon + ")" : "") << ": "
                    << request.text << '\n';
  }
  messages_.push_back(record);
  if (std::optional<ScriptAction> answer = TakeIf("answer")) {
    const std::string& word = answer->args[0].text;
    if (!AllowedAnswer(request.Buttons(), word)) {
      throw ScriptError(answer->line,
                        "the message box \"" + request.text + "\" has no button '" + word + "'");
    }
    messages_.back().answer = AnswerId(word);
  }
  return messages_.back().answer;
}

std::optional<std::string> ScriptedBackend::ChooseFile(UiWindow*,
                                                       const FileChooserRequest& request) {
  fileRequests_.push_back(request);
  std::optional<ScriptAction> file = TakeIf("file");
  if (!file) file = TakeIf("save-as");
  if (file && file->verb == "save-as" && request.open) {
    throw ScriptError(file->line,
                      "the file chooser is an open-file chooser: answer it with 'file'");
  }
  if (file) {
    std::string path = file->args[0].text;
    const std::size_t slash = path.find_last_of('/');
    const std::string_view name =
        std::string_view(path).substr(slash == std::string::npos ? 0 : slash + 1);
    if (!request.defaultExtension.empty() && name.find('.') == std::string_view::npos) {
      path += "." + request.defaultExtension;
    }
    return path;
  }
  TakeIf("cancel");
  return std::nullopt;
}

void ScriptedBackend::Beep(unsigned frequencyHz, unsigned durationMs) {
  beeps_.emplace_back(frequencyHz, durationMs);
  if (messageStream_) {
    *messageStream_ << "beep: " << frequencyHz << " Hz, " << durationMs << " ms\n";
  }
}

void ScriptedBackend::Print(const std::string& text) {
  output_ += text;
  if (outputStream_) *outputStream_ << text << std::flush;
}

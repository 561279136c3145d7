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

bool AllowedAnswer(unsigned buttons, int answer) {
  switch (buttons) {
    case MB_OK:
      return answer == IDOK;
    case MB_OKCANCEL:
      return answer == IDOK || answer == IDCANCEL;
    case MB_YESNO:
      return answer == IDYES || answer == IDNO;
    case MB_YESNOCANCEL:
      return answer == IDYES || answer == IDNO || answer == IDCANCEL;
    default:
      return false;
  }
}

// The answer as a script writes it.
const char* AnswerWord(int answer) {
  switch (answer) {
    case IDCANCEL:
      return "cancel";
    case IDYES:
      return "yes";
    case IDNO:
      return "no";
    default:
      return "ok";
  }
}

template <class A>
bool Is(const UserAction& action) {
  return std::holds_alternative<A>(action);
}

bool IsCancel(const UserAction& action) {
  const auto* close = std::get_if<user::Close>(&action);
  return close != nullptr && !close->ok;
}

}  // namespace

ScriptedWindow* ScriptedBackend::Frame::Target() const {
  return dialog ? dialog : pages.at(static_cast<std::size_t>(activePage));
}

ScriptedBackend::ScriptedBackend() = default;

ScriptedBackend::~ScriptedBackend() = default;

void ScriptedBackend::Load(std::string_view script) {
  const std::vector<ScriptAction> lines = ParseScript(script, nextLine_);
  std::vector<Queued> actions;
  actions.reserve(lines.size());
  for (const ScriptAction& line : lines) actions.push_back({line.line, UserActionOf(line), {}, {}});
  nextLine_ += static_cast<int>(std::count(script.begin(), script.end(), '\n')) + 1;
  for (Queued& action : actions) pending_.push_back(std::move(action));
}

void ScriptedBackend::Queue(UserAction action, ActionTrace* trace) {
  pending_.push_back({0, std::move(action), {}, trace});
}

void ScriptedBackend::QueueWithheld(UserAction action) {
  Queued queued{0, std::move(action), {}, nullptr};
  queued.withheld = true;
  pending_.push_back(std::move(queued));
}

void ScriptedBackend::Then(std::function<void()> step) {
  Queued action;
  action.step = std::move(step);
  pending_.push_back(std::move(action));
}

void ScriptedBackend::RunPending() {
  ScriptExecutor executor(*this);
  const bool outer = !runningPending_;
  runningPending_ = true;
  try {
    while (!pending_.empty()) {
      Queued action = std::move(pending_.front());
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
    Queued action = std::move(pending_.front());
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
  for (const Queued& action : pending_) {
    if (action.step) continue;
    throw ScriptError(action.line, std::string("no window is left for '") + VerbOf(action.action) +
                                       "': the " + closed + " closed before this line");
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

std::optional<ScriptedBackend::Queued> ScriptedBackend::TakeIf(bool (*wanted)(const UserAction&)) {
  if (pending_.empty() || pending_.front().step || !wanted(pending_.front().action)) {
    return std::nullopt;
  }
  Queued action = std::move(pending_.front());
  pending_.pop_front();
  if (action.trace != nullptr) action.trace->ran = true;
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
  if (std::optional<Queued> answer = TakeIf(Is<user::Answer>)) {
    const int button = std::get<user::Answer>(answer->action).button;
    if (!AllowedAnswer(request.Buttons(), button)) {
      throw ScriptError(answer->line, "the message box \"" + request.text + "\" has no button '" +
                                          AnswerWord(button) + "'");
    }
    messages_.back().answer = button;
  }
  return messages_.back().answer;
}

std::optional<std::string> ScriptedBackend::ChooseFile(UiWindow*,
                                                       const FileChooserRequest& request) {
  fileRequests_.push_back(request);
  const std::optional<Queued> file = TakeIf(Is<user::ChooseFile>);
  if (file) {
    const auto& chosen = std::get<user::ChooseFile>(file->action);
    if (chosen.save && request.open)
      throw ScriptError(file->line,
                        "the file chooser is an open-file chooser: answer it with 'file'");
    std::string path = chosen.path;
    const std::size_t slash = path.find_last_of('/');
    const std::string_view name =
        std::string_view(path).substr(slash == std::string::npos ? 0 : slash + 1);
    if (!chosen.asGiven && !request.defaultExtension.empty() &&
        name.find('.') == std::string_view::npos) {
      path += "." + request.defaultExtension;
    }
    if (!request.open && saveChoice_) return saveChoice_(path);
    return path;
  }
  TakeIf(IsCancel);
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

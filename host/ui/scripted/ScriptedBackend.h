#pragma once

#include <deque>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/backend/UiBackend.h"
#include "ui/scripted/MessageRecord.h"
#include "ui/scripted/ScriptedWindow.h"
#include "ui/scripted/UserAction.h"

// What a queued action met while it ran, for the program that queued it.
struct ActionTrace {
  bool ran = false;
  // The message boxes shown from the start of the action to its end, those of the
  // dialogs and choosers it opened included.
  std::vector<MessageRecord> messages;
};

// The backend without a screen: windows keep their controls in memory, and a script
// (docs/script-language.md), a test or a program plays the user with the same typed
// actions (UserAction.h). Actions wait in a queue; a
// modal dialog or property sheet takes them one by one until it ends, so a dialog
// opened by a click takes the actions that follow the click. When the queue runs
// dry, an open dialog is cancelled and an open sheet closed with Cancel. A script
// line still queued when the outermost dialog or sheet has closed had no window left
// to act on: that run ends in a ScriptError naming the line. Message
// boxes, file choosers and beeps are recorded, and message boxes written to the
// message stream when one is set. The backend outlives its windows.
class ScriptedBackend : public UiBackend {
 public:
  ScriptedBackend();
  ~ScriptedBackend() override;

  // Parses the script and queues its actions; ScriptError (nothing queued) for a line
  // that does not parse. Line numbers count on from the previous successful Load.
  void Load(std::string_view script);
  // Queues an action as a script line would, without a line: its failure is a
  // ScriptError with line 0. When trace is given it is filled in as the action runs,
  // and must outlive the run.
  void Queue(UserAction action, ActionTrace* trace = nullptr);
  // The same for an action whose value came by a channel kept secret (a value read
  // from stdin): when the action fails, its error names the control, never the value.
  void QueueWithheld(UserAction action);
  // Queues a step of code, run in turn like an action. A step may queue further
  // actions; they run after what was queued before them.
  void Then(std::function<void()> step);
  bool HasPending() const { return !pending_.empty(); }
  // Runs the queued actions now, against the newest open window: for windows made
  // with CDialog::Create rather than run modally.
  void RunPending();

  // The window the next action goes to: the innermost open dialog or the sheet's
  // active page; else the newest window. Null when no window is open.
  ScriptedWindow* TargetWindow() const;
  // The newest open window built from the template, or null.
  ScriptedWindow* FindWindow(int templateId) const;

  const std::vector<MessageRecord>& Messages() const { return messages_; }
  const std::vector<FileChooserRequest>& FileRequests() const { return fileRequests_; }
  const std::vector<std::pair<unsigned, unsigned>>& Beeps() const { return beeps_; }
  // Everything "print" and "print-added" wrote.
  const std::string& Output() const { return output_; }

  // Where message boxes ("caption: text" lines) and printed output also go.
  void SetMessageStream(std::ostream* stream) { messageStream_ = stream; }
  void SetOutputStream(std::ostream* stream) { outputStream_ = stream; }
  // Decides what a save-file chooser answered by the user (save-as) hands the dialog:
  // the path chosen, or nothing, as if the user had cancelled it. What it throws ends
  // the action as the action's failure would (a UiRunAborted ends the run). Unset, the
  // path chosen is handed on.
  using SaveChoice = std::function<std::optional<std::string>(const std::string& path)>;
  void SetSaveChoice(SaveChoice choice) { saveChoice_ = std::move(choice); }
  // The date and time new pickers start at; the clock's when not set.
  void SetNow(const DateTimeValue& now) { now_ = now; }

  // UiBackend.
  std::unique_ptr<UiWindow> CreateWindow(const DialogTemplate& dialog, WindowRole role,
                                         UiWindow* parent, UiEventSink& events) override;
  bool RunPropertySheet(std::string_view caption, std::string_view document,
                        std::span<const SheetPage> pages, PropertySheetListener& listener) override;
  void ReplaceSheetPage(int index, const SheetPage& page) override;
  void BeforeLastWindowCloses(const char* closing) override;
  int MessageBox(UiWindow* owner, const MessageBoxRequest& request) override;
  std::optional<std::string> ChooseFile(UiWindow* owner,
                                        const FileChooserRequest& request) override;
  void Beep(unsigned frequencyHz, unsigned durationMs) override;

 private:
  friend class ScriptedWindow;
  friend class ScriptExecutor;

  // A queued action, or a step of code.
  struct Queued {
    int line = 0;  // of the script; 0 when a program queued it
    UserAction action;
    std::function<void()> step;
    ActionTrace* trace = nullptr;
    bool withheld = false;  // the action's value is never shown
  };

  // A modal dialog or a property sheet that takes actions.
  struct Frame {
    ScriptedWindow* dialog = nullptr;
    std::vector<ScriptedWindow*> pages;
    PropertySheetListener* listener = nullptr;
    int activePage = 0;
    bool ended = false;
    bool accepted = false;

    ScriptedWindow* Target() const;
  };

  void WindowCreated(ScriptedWindow& window);
  void WindowDestroyed(ScriptedWindow& window);
  int RunDialog(ScriptedWindow& window);
  // Takes actions until the frame ends or the queue runs dry; true when it ended.
  bool RunFrame(Frame& frame, const std::function<bool()>& ended);
  // Throws a ScriptError for the first script line still queued once the outermost
  // frame, of the kind named, has ended: the user would have no window to do it in.
  void RefuseLeftoverLines(const char* closed) const;
  void ThrowForFirstLeftoverLine(const char* closed) const;
  // The next queued action when it is one that wanted accepts: taken off the queue.
  std::optional<Queued> TakeIf(bool (*wanted)(const UserAction&));
  void Print(const std::string& text);

  std::deque<Queued> pending_;
  int nextLine_ = 1;
  std::vector<ScriptedWindow*> windows_;
  std::vector<Frame*> frames_;
  // RunPending is at work: its window stays open after a dialog it opened ends.
  bool runningPending_ = false;
  std::vector<MessageRecord> messages_;
  std::size_t messagesChecked_ = 0;
  std::vector<FileChooserRequest> fileRequests_;
  std::vector<std::pair<unsigned, unsigned>> beeps_;
  std::string output_;
  std::ostream* messageStream_ = nullptr;
  std::ostream* outputStream_ = nullptr;
  std::optional<DateTimeValue> now_;
  SaveChoice saveChoice_;
};

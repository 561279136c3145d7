#pragma once

#include "ui/scripted/ScriptedBackend.h"
#include "ui/scripted/UserAction.h"

// Carries out one queued action in the innermost open dialog or sheet (or, with
// none open, in the newest window), turning what goes wrong into ScriptError.
class ScriptExecutor {
 public:
  explicit ScriptExecutor(ScriptedBackend& backend) : backend_(backend) {}

  void Execute(const ScriptedBackend::Queued& queued, ScriptedBackend::Frame* frame);

 private:
  void Run(const UserAction& action, ScriptedBackend::Frame* frame);
  void CloseFrame(bool ok, ScriptedBackend::Frame* frame);
  void SwitchTab(const user::SwitchTab& tab, ScriptedBackend::Frame* frame);
  void ExpectMessage(const user::ExpectMessage& expected);
  void OnControl(const UserAction& action, const ControlRef& control, ScriptedWindow& window);
  int ResolveControl(const ControlRef& control, const ScriptedWindow& window) const;
  int ResolveItem(const EntryRef& entry, const ScriptedWindow& window, int id) const;
  int ResolveRow(const RowRef& row, const ScriptedWindow& window, int id) const;
  void Print(const user::Print& print, const ScriptedWindow& window, int id) const;
  [[noreturn]] void Fail(const std::string& what) const;

  ScriptedBackend& backend_;
  int line_ = 0;  // of the action being carried out
};

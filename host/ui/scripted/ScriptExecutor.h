#pragma once

#include "ui/scripted/ScriptAction.h"
#include "ui/scripted/ScriptedBackend.h"

// Carries out one script action in the innermost open dialog or sheet (or, with
// none open, in the newest window), turning what goes wrong into ScriptError.
class ScriptExecutor {
 public:
  explicit ScriptExecutor(ScriptedBackend& backend) : backend_(backend) {}

  void Execute(const ScriptAction& action, ScriptedBackend::Frame* frame);

 private:
  void CloseFrame(const ScriptAction& action, ScriptedBackend::Frame* frame);
  void SwitchTab(const ScriptAction& action, ScriptedBackend::Frame* frame);
  void ExpectMessage(const ScriptAction& action);
  void OnControl(const ScriptAction& action, ScriptedWindow& window);
  int ResolveControl(const ScriptAction& action, const ScriptedWindow& window) const;
  int ResolveItem(const ScriptToken& token, const ScriptedWindow& window, int id) const;
  int ResolveRow(const ScriptToken& token, const ScriptedWindow& window, int id) const;
  void Print(const ScriptAction& action, const ScriptedWindow& window, int id) const;

  ScriptedBackend& backend_;
};

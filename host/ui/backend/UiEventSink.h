#pragma once

// What a window tells the framework about the user's actions on it. Backends call it
// only for actions of the user (or of a script playing the user), never for values
// set by the framework itself.
class UiEventSink {
 public:
  // A notification of a control: a click (BN_CLICKED), a selection change and so on.
  // The Enter key is a click on the default button (or IDOK), closing the window or
  // Escape a click on IDCANCEL, whether or not the template has such a button.
  virtual void OnControlNotify(int controlId, int notifyCode) = 0;

 protected:
  ~UiEventSink() = default;
};

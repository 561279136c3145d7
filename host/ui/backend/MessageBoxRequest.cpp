#include "ui/backend/MessageBoxRequest.h"

MessageIcon MessageBoxRequest::Icon() const {
  switch (type & MB_ICONMASK) {
    case MB_ICONERROR:
      return MessageIcon::Error;
    case MB_ICONQUESTION:
      return MessageIcon::Question;
    case MB_ICONWARNING:
      return MessageIcon::Warning;
    case MB_ICONINFORMATION:
      return MessageIcon::Information;
    default:
      return MessageIcon::None;
  }
}

int MessageBoxRequest::DefaultAnswer() const {
  const unsigned buttons = Buttons();
  return buttons == MB_YESNO || buttons == MB_YESNOCANCEL ? IDYES : IDOK;
}

const char* MessageIconName(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Error:
      return "error";
    case MessageIcon::Question:
      return "question";
    case MessageIcon::Warning:
      return "warning";
    case MessageIcon::Information:
      return "information";
    case MessageIcon::None:
      break;
  }
  return "";
}

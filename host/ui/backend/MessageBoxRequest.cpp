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

std::vector<int> MessageBoxRequest::Answers() const {
  switch (Buttons()) {
    case MB_OKCANCEL:
      return {IDOK, IDCANCEL};
    case MB_YESNO:
      return {IDYES, IDNO};
    case MB_YESNOCANCEL:
      return {IDYES, IDNO, IDCANCEL};
    default:
      return {IDOK};
  }
}

int MessageBoxRequest::DefaultAnswer() const {
  const std::vector<int> answers = Answers();
  const std::size_t named = (type & MB_DEFMASK) >> 8;
  return named < answers.size() ? answers[named] : answers.front();
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

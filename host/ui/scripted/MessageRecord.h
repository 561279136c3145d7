#pragma once

#include <string>

#include "ui/backend/MessageBoxRequest.h"

// A message box the scripted backend showed, and the answer it gave.
struct MessageRecord {
  MessageBoxRequest request;
  int answer = IDOK;
};

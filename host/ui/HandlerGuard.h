#pragma once

#include <exception>

#include "ui/AfxFunctions.h"
#include "ui/CDataExchange.h"
#include "ui/backend/UiRunAborted.h"

// Runs a piece of page or dialog code on behalf of the toolkit. Nothing may unwind
// into a toolkit's event loop, so an exception is reported in an error message box,
// as a window procedure would, and `fallback` answered instead; UiRunAborted ends
// the whole run and passes.
template <class Result, class Function>
Result GuardHandler(Function&& function, Result fallback) {
  try {
    return function();
  } catch (const UiRunAborted&) {
    throw;
  } catch (const CDataExchange::Failure&) {
    // A check failed outside UpdateData; its message has been shown.
  } catch (const std::exception& error) {
    AfxMessageBox(error.what(), MB_OK | MB_ICONERROR);
  }
  return fallback;
}

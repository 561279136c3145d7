#pragma once

class CDataExchange;

namespace kelo {

// Refuses a save: shows the message in a warning box captioned as the framework's
// message boxes are, and fails the exchange with the focus on the control.
[[noreturn]] void RefuseExchange(CDataExchange* pDX, int controlId, const char* message);

}  // namespace kelo

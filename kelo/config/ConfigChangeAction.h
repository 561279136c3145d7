#pragma once

namespace kelo {

// Answers of the change checks. They carry the host's EConfigChangeAction numbers;
// the handler object converts them at the host boundary.
inline constexpr int kChangeRestartHandler = 0;  // a compared handler setting differs
inline constexpr int kChangeNone = 1;            // nothing that is compared differs
inline constexpr int kChangeRecordSet = 2;       // a compared record-set setting differs

}  // namespace kelo

#include "ui/scripted/UserAction.h"

#include <type_traits>

const char* VerbOf(const UserAction& action) {
  return std::visit(
      [](const auto& a) -> const char* {
        using A = std::decay_t<decltype(a)>;
        if constexpr (std::is_same_v<A, user::SetText>) return "set";
        if constexpr (std::is_same_v<A, user::Click>) return "click";
        if constexpr (std::is_same_v<A, user::Check>) return "check";
        if constexpr (std::is_same_v<A, user::Select>) return "select";
        if constexpr (std::is_same_v<A, user::SelectRows>) return "rows";
        if constexpr (std::is_same_v<A, user::PickDate>) return "pick";
        if constexpr (std::is_same_v<A, user::PickYear>) return "year";
        if constexpr (std::is_same_v<A, user::SwitchTab>) return "tab";
        if constexpr (std::is_same_v<A, user::Close>) return a.ok ? "ok" : "cancel";
        if constexpr (std::is_same_v<A, user::Answer>) return "answer";
        if constexpr (std::is_same_v<A, user::ChooseFile>) return a.save ? "save-as" : "file";
        if constexpr (std::is_same_v<A, user::ExpectMessage>) return "expect-message";
        if constexpr (std::is_same_v<A, user::Print>) return a.added ? "print-added" : "print";
      },
      action);
}

#include "ui/scripted/ScriptParser.h"

#include <array>
#include <string>

#include "ui/DateTimeValue.h"
#include "ui/WinConstants.h"
#include "ui/scripted/ScriptError.h"

namespace {

struct VerbRule {
  std::string_view verb;
  std::size_t minArgs;
  std::size_t maxArgs;
  bool controlFirst;
  std::string_view usage;
};

constexpr std::size_t kMany = 1000000;

constexpr std::array kVerbs = {
    VerbRule{"set", 2, 2, true, "set CONTROL TEXT"},
    VerbRule{"click", 1, 1, true, "click CONTROL"},
    VerbRule{"check", 2, 2, true, "check CONTROL on|off"},
    VerbRule{"select", 2, 2, true, "select CONTROL TEXT|INDEX|none"},
    VerbRule{"rows", 2, kMany, true, "rows CONTROL ROW... | none"},
    VerbRule{"pick", 2, 2, true, "pick CONTROL YYYY-MM-DD"},
    VerbRule{"year", 2, 2, true, "year CONTROL YYYY"},
    VerbRule{"tab", 1, 1, false, "tab INDEX|TITLE"},
    VerbRule{"ok", 0, 0, false, "ok"},
    VerbRule{"cancel", 0, 0, false, "cancel"},
    VerbRule{"answer", 1, 1, false, "answer ok|cancel|yes|no"},
    VerbRule{"file", 1, 1, false, "file PATH"},
    VerbRule{"save-as", 1, 1, false, "save-as PATH"},
    VerbRule{"expect-message", 1, 1, false, "expect-message TEXT"},
    VerbRule{"print", 1, 1, true, "print CONTROL"},
    VerbRule{"print-added", 1, 1, true, "print-added CONTROL"},
};

std::vector<ScriptToken> Tokenize(std::string_view line, int lineNumber) {
  std::vector<ScriptToken> tokens;
  std::size_t i = 0;
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (i < line.size()) {
    if (blank(line[i])) {
      ++i;
      continue;
    }
    if (line[i] == '#') break;
    ScriptToken token;
    if (line[i] == '"') {
      token.quoted = true;
      ++i;
      bool closed = false;
      while (i < line.size()) {
        const char c = line[i++];
        if (c == '"') {
          closed = true;
          break;
        }
        if (c == '\\' && i < line.size() && (line[i] == '"' || line[i] == '\\')) {
          token.text += line[i++];
        } else {
          token.text += c;
        }
      }
      if (!closed) throw ScriptError(lineNumber, "the quoted text has no closing '\"'");
      if (i < line.size() && !blank(line[i])) {
        throw ScriptError(lineNumber, "a blank must follow the quoted text");
      }
    } else {
      while (i < line.size() && !blank(line[i])) token.text += line[i++];
    }
    tokens.push_back(std::move(token));
  }
  return tokens;
}

void CheckArguments(const VerbRule& rule, const ScriptAction& action) {
  const auto& args = action.args;
  const int line = action.line;
  if (args.size() < rule.minArgs || args.size() > rule.maxArgs) {
    throw ScriptError(line, "'" + action.verb + "' takes the form: " + std::string(rule.usage));
  }
  if (rule.controlFirst && !args[0].quoted && !args[0].IsNumber()) {
    throw ScriptError(line, "'" + args[0].text +
                                "' is not a control: give its id or its caption in double "
                                "quotes");
  }
  const std::string& verb = action.verb;
  if (verb == "check" && (args[1].quoted || (args[1].text != "on" && args[1].text != "off"))) {
    throw ScriptError(line, "'check' takes on or off, not '" + args[1].text + "'");
  }
  if (verb == "pick" && !DateTimeValue::ParseIsoDate(args[1].text)) {
    throw ScriptError(line, "'" + args[1].text + "' is not a date in the form YYYY-MM-DD");
  }
  if (verb == "year" && (!args[1].IsNumber() || args[1].Number() < 1 || args[1].Number() > 9999)) {
    throw ScriptError(line, "'" + args[1].text + "' is not a year");
  }
  if (verb == "answer") {
    const std::string& answer = args[0].text;
    if (answer != "ok" && answer != "cancel" && answer != "yes" && answer != "no") {
      throw ScriptError(line, "'answer' takes ok, cancel, yes or no, not '" + answer + "'");
    }
  }
}

}  // namespace

std::vector<ScriptAction> ParseScript(std::string_view text, int firstLine) {
  std::vector<ScriptAction> actions;
  int lineNumber = firstLine;
  for (std::size_t from = 0; from <= text.size(); ++lineNumber) {
    std::size_t end = text.find('\n', from);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(from, end - from);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    from = end + 1;

    std::vector<ScriptToken> tokens = Tokenize(line, lineNumber);
    if (tokens.empty()) continue;
    ScriptAction action;
    action.line = lineNumber;
    action.verb = tokens.front().text;
    action.args.assign(std::make_move_iterator(tokens.begin() + 1),
                       std::make_move_iterator(tokens.end()));
    const VerbRule* rule = nullptr;
    for (const VerbRule& candidate : kVerbs) {
      if (!tokens.front().quoted && candidate.verb == action.verb) rule = &candidate;
    }
    if (!rule) throw ScriptError(lineNumber, "unknown action '" + action.verb + "'");
    if (rule->controlFirst && action.args.size() >= 2 && !action.args[0].quoted &&
        action.args[0].text == "above" && action.args[1].quoted) {
      action.args.erase(action.args.begin());
      action.args[0].above = true;
    }
    CheckArguments(*rule, action);
    actions.push_back(std::move(action));
  }
  return actions;
}

namespace {

ControlRef ControlOf(const ScriptToken& token) {
  if (token.above) return ControlRef::Above(token.text);
  if (token.quoted) return ControlRef::Named(token.text);
  return ControlRef::WithId(token.Number());
}

EntryRef EntryOf(const ScriptToken& token) {
  if (!token.quoted && token.text == "none") return EntryRef::Nothing();
  if (token.IsNumber()) return EntryRef::AtIndex(token.Number());
  return EntryRef::WithText(token.text);
}

int AnswerButton(const std::string& word) {
  if (word == "cancel") return IDCANCEL;
  if (word == "yes") return IDYES;
  if (word == "no") return IDNO;
  return IDOK;
}

}  // namespace

UserAction UserActionOf(const ScriptAction& line) {
  const std::string& verb = line.verb;
  const std::vector<ScriptToken>& args = line.args;
  if (verb == "set") return user::SetText{ControlOf(args[0]), args[1].text};
  if (verb == "click") return user::Click{ControlOf(args[0])};
  if (verb == "check") return user::Check{ControlOf(args[0]), args[1].text == "on"};
  if (verb == "select") return user::Select{ControlOf(args[0]), EntryOf(args[1])};
  if (verb == "rows") {
    user::SelectRows rows{ControlOf(args[0]), {}};
    const bool none = args.size() == 2 && !args[1].quoted && args[1].text == "none";
    for (std::size_t i = 1; !none && i < args.size(); ++i) {
      if (args[i].IsNumber())
        rows.rows.push_back({args[i].Number(), {}});
      else
        rows.rows.push_back({std::nullopt, args[i].text});
    }
    return rows;
  }
  if (verb == "pick")
    return user::PickDate{ControlOf(args[0]), *DateTimeValue::ParseIsoDate(args[1].text)};
  if (verb == "year") return user::PickYear{ControlOf(args[0]), args[1].Number()};
  if (verb == "tab") {
    if (args[0].IsNumber()) return user::SwitchTab{args[0].Number(), {}};
    return user::SwitchTab{std::nullopt, args[0].text};
  }
  if (verb == "ok" || verb == "cancel") return user::Close{verb == "ok"};
  if (verb == "answer") return user::Answer{AnswerButton(args[0].text)};
  if (verb == "file" || verb == "save-as") return user::ChooseFile{args[0].text, verb == "save-as"};
  if (verb == "expect-message") return user::ExpectMessage{args[0].text};
  if (verb == "print" || verb == "print-added")
    return user::Print{ControlOf(args[0]), verb == "print-added"};
  throw ScriptError(line.line, "unknown action '" + verb + "'");
}

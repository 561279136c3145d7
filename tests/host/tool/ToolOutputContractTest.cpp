// What hcdtool's output promises, over trees and files made to break it: an entry
// that cannot be read is an error of that entry, --json is one valid document, every
// name is one token on one line, no message shows a password, a FIFO never holds a
// run, a saved file is never reported as unchanged, an empty tree is no success, and
// stored texts read as the characters they are.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tests/ScratchFolder.h"
#include "tests/host/tool/ExampleText.h"
#include "tests/host/tool/ToolRunner.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

long Lines(const std::string& text) { return std::count(text.begin(), text.end(), '\n'); }

// Whether an independent parser reads text as exactly one JSON document.
bool OneJsonDocument(const fs::path& scratch, const std::string& text) {
  const fs::path file = scratch / "document.json";
  WriteAll(file, text);
  const std::string command =
      "python3 -c \"import json,sys; json.load(open(sys.argv[1],'rb'))\" " + file.string();
  return std::system(command.c_str()) == 0;
}

class ToolOutputContract : public ::testing::Test {
 protected:
  fs::path Write(const std::string& relative, const std::string& text) {
    return scratch_.Write(relative, text);
  }
  std::string Path(const std::string& relative) const { return scratch_.Path(relative); }
  // Mode 000: the scratch folder opens it again to remove it.
  void Lock(const std::string& relative) { fs::permissions(dir_ / relative, fs::perms::none); }

  const ScratchFolder scratch_{"contract", SCRATCH_DIR};
  const fs::path& dir_ = scratch_.path();
};

// Two trees of two handler folders each, as the examples have them.
void CopyExampleTrees(const fs::path& to) {
  fs::copy(fs::path(EXAMPLES_DIR) / "trees" / "before", to / "a", fs::copy_options::recursive);
  fs::copy(fs::path(EXAMPLES_DIR) / "trees" / "after", to / "b", fs::copy_options::recursive);
}

// A handler folder, a record-set folder or a file that the run may not read is an
// error of that entry, in the text and in the one JSON document, never a folder or
// file taken away; plan then exits 3, lint 1. The tool runs without root's right to
// read past file permissions, so the folders are refused it even in a root CI.
TEST_F(ToolOutputContract, AnUnreadableEntryIsAnErrorNeverRemoved) {
  CopyExampleTrees(dir_);
  struct Case {
    const char* locked;  // in tree b
    const char* entry;   // the error entry plan names, relative to the roots
    const char* kind;
  };
  const Case cases[] = {
      {"b/gbp-desk", "gbp-desk/", "handler"},
      {"b/eur-desk/static", "eur-desk/static/", "static"},
      {"b/eur-desk/dynamic/usd-kelibor-on.xml", "eur-desk/dynamic/usd-kelibor-on.xml", "dynamic"},
  };
  fs::create_directories(dir_ / "probe");
  Lock("probe");
  if (!PermissionsBind(dir_ / "probe"))
    GTEST_SKIP() << "file permissions cannot be made to bind a run here";
  const ToolLimits bound{.boundByPermissions = true};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.locked);
    Lock(c.locked);

    const ToolResult text = RunTool({"plan", Path("a"), Path("b")}, bound);
    EXPECT_EQ(text.exitCode, 3) << text.err;
    EXPECT_NE(text.out.find(std::string("error ") + c.entry + ": "), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("Permission denied"), std::string::npos) << text.out;
    // Nothing of b is taken for gone: the other tree's files are not "removed".
    EXPECT_EQ(text.out.find("removed " + std::string(c.entry)), std::string::npos) << text.out;
    EXPECT_EQ(text.out.find("handler removed"), std::string::npos) << text.out;
    EXPECT_EQ(text.err.find("not a handler folder"), std::string::npos) << text.err;

    const ToolResult plan = RunTool({"plan", "--json", Path("a"), Path("b")}, bound);
    EXPECT_EQ(plan.exitCode, 3) << plan.err;
    ASSERT_TRUE(OneJsonDocument(dir_, plan.out)) << plan.out;
    bool named = false;
    const json document = json::parse(plan.out);
    for (const json& f : document.at("files")) {
      if (f.at("path") != c.entry) continue;
      named = true;
      EXPECT_EQ(f.at("status"), "error");
      EXPECT_EQ(f.at("kind"), c.kind);
      EXPECT_NE(f.at("error").get<std::string>().find("Permission denied"), std::string::npos);
    }
    EXPECT_TRUE(named) << plan.out;

    const ToolResult lint = RunTool({"lint", Path("b")}, bound);
    EXPECT_EQ(lint.exitCode, 1) << lint.err;
    EXPECT_NE(lint.out.find("Permission denied"), std::string::npos) << lint.out;
    const ToolResult lintJson = RunTool({"lint", "--json", Path("b")}, bound);
    EXPECT_EQ(lintJson.exitCode, 1) << lintJson.err;
    ASSERT_TRUE(OneJsonDocument(dir_, lintJson.out)) << lintJson.out;
    const json files = json::parse(lintJson.out).at("files");
    EXPECT_TRUE(std::any_of(files.begin(), files.end(), [&](const json& f) {
      return f.at("path") == Path("b") + "/" + c.entry && f.at("ok") == false;
    })) << lintJson.out;

    fs::permissions(dir_ / c.locked, fs::perms::owner_all);
  }
}

// A name is one token on one line wherever it is printed: a file name or a property
// name holding a line feed or a blank cannot pass for another entry of plan or lint,
// nor split an error line on stderr. --json carries the names as they are.
TEST_F(ToolOutputContract, EveryNameIsOneTokenOnOneLine) {
  const std::string injected = "x\nINJECTED changed fake.xml action 0.xml";
  Write("old/h/handler.xml", Example("handler.xml"));
  Write("new/h/handler.xml", Replaced(Example("handler.xml"), "Name=\"SID\"",
                                      "Name=\"SID&#10;changed h/static/fake.xml action 0\""));
  Write("new/h/static/a b.xml", Example("static.xml"));
  Write("new/h/static/say \"hi\".xml", Example("static.xml"));
  Write("new/h/static/" + injected, Replaced(Example("static.xml"), ">EUR<", "><"));

  // The handler (its SenderCompID renamed away) and the injected record set (no
  // currency) are refused by their pages: their names stay one token all the same.
  const ToolResult plan = RunTool({"plan", Path("old"), Path("new")});
  EXPECT_EQ(plan.exitCode, 1) << plan.err;
  EXPECT_EQ(plan.out,
            "refused h/handler.xml changed: SID "
            "\"SID\\nchanged h/static/fake.xml action 0\": SenderCompID can not be empty\n"
            "added \"h/static/a b.xml\"\n"
            "added \"h/static/say \\\"hi\\\".xml\"\n"
            "refused \"h/static/x\\nINJECTED changed fake.xml action 0.xml\": Currency can not "
            "be empty\n"
            "handler folder h: handler REFUSED by its page; no record set to refresh; 2 added; 1 "
            "REFUSED\n"
            "  added: \"static/a b.xml\" \"static/say \\\"hi\\\".xml\"\n"
            "  refused: \"static/x\\nINJECTED changed fake.xml action 0.xml\"\n"
            "0 changed, 2 added, 0 removed, 0 unchanged; 0 handlers to restart, 0 record sets to "
            "refresh; 2 refused, 0 unreadable\n");

  const ToolResult json = RunTool({"plan", "--json", Path("old"), Path("new")});
  ASSERT_TRUE(OneJsonDocument(dir_, json.out)) << json.out;
  const nlohmann::json files = nlohmann::json::parse(json.out).at("files");
  EXPECT_EQ(files.back().at("path"), "h/static/" + injected);

  const ToolResult lint = RunTool({"lint", Path("new")});
  EXPECT_EQ(lint.exitCode, 1) << lint.err;
  EXPECT_EQ(lint.out, Path("new") +
                          "/h/handler.xml: SenderCompID can not be empty [control 12032 "
                          "\"SenderCompID:\"]\n\"" +
                          Path("new") +
                          "/h/static/x\\nINJECTED changed fake.xml action 0.xml\": Currency can "
                          "not be empty [control 12036 \"Currency:\"]\n");

  // An error naming a file is one line, whichever command meets it.
  const std::string missing = Path("no\nsuch.xml");
  const std::string shown = Path("no\\nsuch.xml");
  const std::vector<std::vector<std::string>> commands = {
      {"summary", "--handler", missing},
      {"check-change", "--handler", missing, missing},
      {"describe-persist", "--version", "1", missing},
      {"lint", "--static", missing},
      {"export-holidays", missing, "GBP", Path("out.ics")},
      {"edit", "--handler", Path("no\nsuch/x.xml"), "--script", missing},
      {"--module", missing, "info"},
  };
  for (const auto& args : commands) {
    SCOPED_TRACE(args[0]);
    const ToolResult r = RunTool(args);
    EXPECT_EQ(r.exitCode, 3) << r.err;
    EXPECT_EQ(Lines(r.err), 1) << r.err;
    EXPECT_NE(r.err.find("no\\n"), std::string::npos) << r.err;
  }
}

// With Type="Int" on the stored password, or a reference in its text that is not
// XML, every command names the property and the line, and shows nothing of the
// value: not in plan, lint, summary, check-change or edit, in text or --json.
TEST_F(ToolOutputContract, NoMessageShowsAnyPartOfAPassword) {
  const std::string stored = "e704b62cab70e60abc82e8b708d82e7abf260cd95bbe8cc8";
  const std::string handler = Example("handler.xml");
  ASSERT_NE(handler.find(stored), std::string::npos);
  const std::string typed = "\"Password\" Type=\"String\">";
  const std::string damaged[] = {
      Replaced(handler, typed, "\"Password\" Type=\"Int\">"),
      Replaced(handler, typed, "\"Password\" Type=\"Bool\">"),
      Replaced(handler, typed + stored, typed + stored + "&z" + stored + ";"),
      Replaced(handler, typed + stored, typed + stored + "&#x" + stored.substr(0, 6) + ";"),
  };
  const fs::path script = Write("cancel.script", "cancel\n");
  for (const std::string& text : damaged) {
    Write("old/h/handler.xml", handler);
    const fs::path file = Write("new/h/handler.xml", text);
    const std::vector<std::vector<std::string>> commands = {
        {"plan", Path("old"), Path("new")},
        {"plan", "--json", Path("old"), Path("new")},
        {"lint", Path("new")},
        {"lint", "--json", Path("new")},
        {"summary", "--handler", file.string()},
        {"summary", "--json", "--handler", file.string()},
        {"check-change", "--handler", file.string(), Path("old/h/handler.xml")},
        {"edit", "--handler", file.string(), "--script", script.string()},
    };
    for (const auto& args : commands) {
      SCOPED_TRACE(args[0] + " " + args[1]);
      const ToolResult r = RunTool(args);
      EXPECT_NE(r.exitCode, 0);
      EXPECT_NE((r.out + r.err).find("Password"), std::string::npos) << r.out << r.err;
      for (std::size_t at = 0; at + 4 <= stored.size(); ++at) {
        const std::string part = stored.substr(at, 4);
        ASSERT_EQ(r.out.find(part), std::string::npos) << part << " in: " << r.out;
        ASSERT_EQ(r.err.find(part), std::string::npos) << part << " in: " << r.err;
      }
    }
  }
}

// A FIFO that nobody writes to never holds a run: edit and import-holidays refuse it
// before opening it, as a file a save could never replace, and the commands that
// only read it read it as empty.
TEST_F(ToolOutputContract, AFifoWithNoWriterNeverHoldsARun) {
  const fs::path fifo = dir_ / "config.fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const fs::path script = Write("cancel.script", "cancel\n");
  const std::string calendar =
      (fs::path(EXAMPLES_DIR) / "calendars" / "england-and-wales-2022-2023.ics").string();
  const struct {
    std::vector<std::string> args;
    const char* error;
  } cases[] = {
      {{"edit", "--handler", fifo.string(), "--script", script.string()}, "not a regular file"},
      {{"import-holidays", fifo.string(), "GBP", calendar}, "not a regular file"},
      {{"export-holidays", fifo.string(), "GBP", Path("out.ics")}, "the document is empty"},
      {{"summary", "--handler", fifo.string()}, "the document is empty"},
      {{"edit", "--handler", Path("new.xml"), "--script", fifo.string()}, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[0] + " " + c.args[1]);
    const ToolResult r = RunTool(c.args, {.timeoutSeconds = 30});
    ASSERT_FALSE(r.timedOut);
    EXPECT_NE(r.exitCode, 0);
    EXPECT_EQ(Lines(r.err), 1) << r.err;
    EXPECT_NE(r.err.find(c.error), std::string::npos) << r.err;
  }
  EXPECT_FALSE(fs::exists(dir_ / "new.xml"));
}

// A report that cannot be written after CONFIG was saved says so: exit 3 with a
// line that CONFIG was saved, never the bare output failure that reads as
// "unchanged".
TEST_F(ToolOutputContract, ASavedFileIsNotReportedAsUnchanged) {
  const fs::path config = Write("handler.xml", Example("handler.xml"));
  const std::string calendar =
      (fs::path(EXAMPLES_DIR) / "calendars" / "england-and-wales-2022-2023.ics").string();
  for (const ToolStdout to : {ToolStdout::DevFull, ToolStdout::ClosedPipe}) {
    WriteAll(config, Example("handler.xml"));
    const ToolResult r =
        RunTool({"import-holidays", config.string(), "GBP", calendar}, {.stdoutTo = to});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(r.err,
              "hcdtool: " + config.string() + " was saved, but its report could not be written: " +
                  (to == ToolStdout::DevFull ? "No space left on device\n" : "Broken pipe\n"));
    EXPECT_NE(ReadAll(config), Example("handler.xml"));
  }
}

// A path under which no configuration is found, such as the folder above two trees,
// is an error: nothing was checked, so it is no success.
TEST_F(ToolOutputContract, APathWithNoConfigurationIsAnError) {
  const std::string trees = (fs::path(EXAMPLES_DIR) / "trees").string();
  fs::create_directories(dir_ / "empty");
  fs::create_directories(dir_ / "bare/static");
  const std::vector<std::vector<std::string>> commands = {
      {"lint", trees},
      {"lint", "--json", trees},
      {"lint", Path("empty")},
      {"lint", Path("bare")},
      {"lint", trees + "/before", Path("empty")},
      {"plan", trees, trees},
      {"plan", "--json", trees + "/before", Path("empty")},
  };
  for (const auto& args : commands) {
    SCOPED_TRACE(args[0] + " " + args[1]);
    const ToolResult r = RunTool(args);
    EXPECT_EQ(r.exitCode, 3) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(": no configuration found under it"), std::string::npos) << r.err;
  }
}

// Stored ISO-8859-1 reads as the characters it is, in UTF-8; only control characters
// and the backslash are escaped, as summary and describe-persist print them alike.
// --json keeps its own form.
TEST_F(ToolOutputContract, StoredTextsReadAsTheirCharacters) {
  const fs::path config = Write("handler.xml", Replaced(Example("handler.xml"), ">BANK01<",
                                                        ">caf\xE9 \xC0 la cr\xE8me\x85\\\x7F<"));
  const ToolResult summary = RunTool({"summary", "--handler", config.string()});
  EXPECT_EQ(summary.exitCode, 0) << summary.err;
  EXPECT_NE(summary.out.find("|SID=caf\xC3\xA9 \xC3\x80 la cr\xC3\xA8me\\x85\\\\\\x7F|"),
            std::string::npos)
      << summary.out;
  const ToolResult json = RunTool({"summary", "--json", "--handler", config.string()});
  // A C1 control is written as its escape, never raw (U+009B starts a CSI in xterm).
  EXPECT_NE(json.out.find("SID=caf\xC3\xA9 \xC3\x80 la cr\xC3\xA8me\\u0085\\\\\x7F|"),
            std::string::npos)
      << json.out;

  std::string block = Example("persist/record-v1.bin");
  block.replace(block.find("BANK01-PANEL"), 6, "B\xC4NK\xE9\x01");
  const fs::path persisted = Write("block.bin", block);
  const ToolResult described = RunTool({"describe-persist", "--version", "1", persisted.string()});
  EXPECT_EQ(described.exitCode, 0) << described.err;
  EXPECT_NE(described.out.find(": B\xC3\x84NK\xC3\xA9\\x01"), std::string::npos) << described.out;
}

}  // namespace

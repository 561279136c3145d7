// Every input of hcdtool can come from a damaged or hand-edited file. Whatever it
// holds, each command answers with its documented exit code and at most one line on
// stderr, in bounded time and memory, and writes nothing.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "tests/ScratchFolder.h"
#include "tests/host/tool/ToolRunner.h"

namespace fs = std::filesystem;

namespace {

const char* const kHeader = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n";

std::string BillionLaughs() {
  std::string doc = "<?xml version=\"1.0\"?>\n<!DOCTYPE Properties [\n <!ENTITY lol0 \"lol\">\n";
  for (int i = 1; i <= 9; ++i) {
    doc += " <!ENTITY lol" + std::to_string(i) + " \"";
    for (int j = 0; j < 10; ++j) doc += "&lol" + std::to_string(i - 1) + ";";
    doc += "\">\n";
  }
  return doc + "]>\n<Properties><Property Name=\"SID\" Type=\"String\">&lol9;</Property>" +
         "</Properties>\n";
}

std::string LargeConfiguration() {
  // 50 MB: one holiday text of a currency nobody lists, as a damaged file might hold.
  std::string doc = std::string(kHeader) + "<Properties>\n" +
                    "  <Property Name=\"SID\" Type=\"String\">BANK01</Property>\n" +
                    "  <Property Name=\"CurrencyTable_XXX\" Type=\"String\">";
  const std::string entry = "2024-01-01|Weekend|";
  doc.reserve(doc.size() + 50u * 1024 * 1024 + 200);
  while (doc.size() < 50u * 1024 * 1024) doc += entry;
  return doc + "</Property>\n</Properties>\n";
}

// The files a command may be handed, made once for the suite.
class ToolBadInput : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // One folder for the suite: its files are made once, and each test checks that
    // none of them changed.
    scratch_ = std::make_unique<ScratchFolder>("bad-input", SCRATCH_DIR);
    dir_ = scratch_->path();
    fs::create_directories(dir_ / "folder");
    std::mt19937 random(7);
    std::string junk(300, '\0');
    for (char& c : junk) c = static_cast<char>(random());
    WriteAll(dir_ / "empty", "");
    WriteAll(dir_ / "junk", junk);
    WriteAll(dir_ / "truncated",
             std::string(kHeader) + "<Properties>\n  <Property Name=\"SID\" Type=\"Str");
    WriteAll(dir_ / "laughs", BillionLaughs());
    WriteAll(dir_ / "external",
             "<?xml version=\"1.0\"?>\n<!DOCTYPE Properties [<!ENTITY x SYSTEM "
             "\"file:///etc/passwd\">]>\n<Properties><Property Name=\"SID\" "
             "Type=\"String\">&x;</Property></Properties>\n");
    WriteAll(dir_ / "wrongtype", std::string(kHeader) +
                                     "<Properties>\n  <Property Name=\"MaxMessagePerSec\" "
                                     "Type=\"Int\">thirty</Property>\n</Properties>\n");
    WriteAll(dir_ / "large", LargeConfiguration());
    WriteAll(dir_ / "good.xml", std::string(kHeader) + "<Properties/>\n");
    WriteAll(dir_ / "cancel.script", "cancel\n");
    WriteAll(dir_ / "unknown-control.script", "set 4242 x\nok\n");
    WriteAll(dir_ / "choose.script", "select 12020 \"BENCHMARK_PRICE\"\nok\n");
  }

  static void TearDownTestSuite() { scratch_.reset(); }

  static std::string F(const std::string& name) { return (dir_ / name).string(); }

  // Names and contents of every file, to see that nothing was written.
  static std::map<std::string, std::string> Snapshot() {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(dir_))
      files[e.path().string()] = e.is_regular_file() ? ReadAll(e.path()) : "<folder>";
    return files;
  }

  static inline std::unique_ptr<ScratchFolder> scratch_;
  static inline fs::path dir_;
};

struct Case {
  std::vector<std::string> args;  // "@name" stands for the file of that name
  int exitCode;
};

TEST_F(ToolBadInput, EveryCommandAnswersEveryDamagedInputCleanly) {
  const std::vector<std::string> files = {"missing", "folder",   "empty",     "junk", "truncated",
                                          "laughs",  "external", "wrongtype", "large"};
  // Expected exit codes per file, in the order above.
  const std::map<std::string, std::vector<int>> codes = {
      {"summary --handler @", {3, 3, 3, 3, 3, 3, 3, 3, 0}},
      {"summary --static @", {3, 3, 3, 3, 3, 3, 3, 3, 0}},
      {"check-change --handler @ @good.xml", {3, 3, 3, 3, 3, 3, 3, 3, 0}},
      {"check-change --dynamic @good.xml @", {3, 3, 3, 3, 3, 3, 3, 3, 0}},
      // A block is any bytes: long enough, even a document is described.
      {"describe-persist --version 1 @", {3, 3, 3, 3, 3, 0, 3, 3, 0}},
      {"edit --handler @ --script @cancel.script", {1, 3, 1, 3, 3, 3, 3, 3, 1}},
      {"edit --static @good.xml --script @", {3, 3, 1, 3, 3, 3, 3, 3, 3}},
      {"choose-field --script @", {3, 3, 0, 3, 3, 3, 3, 3, 3}},
  };
  const auto before = Snapshot();
  for (const auto& [command, expected] : codes) {
    for (std::size_t i = 0; i < files.size(); ++i) {
      std::vector<std::string> args;
      std::string word;
      for (std::size_t p = 0; p <= command.size(); ++p) {
        if (p == command.size() || command[p] == ' ') {
          if (word == "@")
            args.push_back(F(files[i]));
          else if (word.rfind("@", 0) == 0)
            args.push_back(F(word.substr(1)));
          else
            args.push_back(word);
          word.clear();
        } else {
          word += command[p];
        }
      }
      SCOPED_TRACE(command + "  with " + files[i]);
      const ToolResult r = RunTool(args, {.workDir = "", .timeoutSeconds = 60, .maxFileSize = -1});
      EXPECT_FALSE(r.timedOut);
      EXPECT_EQ(r.exitCode, expected[i]) << r.err;
      const auto errLines = std::count(r.err.begin(), r.err.end(), '\n');
      if (r.exitCode >= 2) {
        EXPECT_EQ(errLines, 1) << r.err;
        EXPECT_EQ(r.err.rfind("hcdtool: ", 0), 0u) << r.err;
        EXPECT_EQ(r.out, "");
      } else {
        EXPECT_LE(errLines, 1) << r.err;
      }
      // Bounded memory: a few times the largest input, not a blow-up.
      EXPECT_LT(r.maxRssKb, 1536 * 1024);
      // Entities are never expanded, so nothing of them can show.
      EXPECT_EQ(r.out.find("lollol"), std::string::npos);
      EXPECT_EQ(r.err.find("root:"), std::string::npos);
    }
  }
  EXPECT_EQ(Snapshot(), before) << "a command wrote or changed a file";
}

TEST_F(ToolBadInput, UnknownOptionsAndMissingArgumentsExitTwo) {
  const std::vector<std::vector<std::string>> cases = {
      {"summary", "--handler", F("good.xml"), "--bogus"},
      {"summary", "--handler"},
      {"check-change", "--static", F("good.xml"), F("good.xml"), "extra"},
      {"describe-persist", "--version", "1", "--flag", "--flag", F("good.xml")},
      {"describe-persist", "--version", F("good.xml")},
      {"edit", F("good.xml")},
      {"edit", "--handler", F("good.xml"), "--script"},
      {"choose-field", "--party", "extra"},
      {"validate-field", "A", "B"},
      {"holidays", "GBP", "2024", "extra"},
      {"tour", "--bogus"},
      {"info", "--script", "x"},
  };
  for (const auto& args : cases) {
    SCOPED_TRACE(args[0] + " " + args.back());
    const ToolResult r = RunTool(args);
    EXPECT_EQ(r.exitCode, 2) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_EQ(r.out, "");
  }
}

// Output that cannot be written is a failure of the run, whether the disk is full or
// the reader went away: one line on stderr, exit 3, never a silent death by SIGPIPE.
TEST_F(ToolBadInput, OutputThatCannotBeWrittenFailsTheRun) {
  const std::string examples = EXAMPLES_DIR;
  const std::vector<std::vector<std::string>> commands = {
      {"info"},
      {"summary", "--handler", examples + "/handler.xml"},
      {"check-change", "--handler", examples + "/handler.xml", examples + "/handler-changed.xml"},
      {"validate-field", "PARTY_ID"},
      {"describe-persist", "--version", "1", examples + "/persist/record-v1.bin"},
      {"holidays", "GBP", "2024"},
      {"choose-field", "--script", F("choose.script")},
      {"tour", "--out", F("tour")},
      {"--help"},
  };
  for (const ToolStdout to : {ToolStdout::DevFull, ToolStdout::ClosedPipe}) {
    for (const auto& args : commands) {
      SCOPED_TRACE(args[0] + (to == ToolStdout::DevFull ? " > /dev/full" : " | closed pipe"));
      const ToolResult r = RunTool(args, {.stdoutTo = to});
      EXPECT_EQ(r.exitCode, 3) << r.err;
      EXPECT_EQ(r.err,
                std::string("hcdtool: cannot write the output: ") +
                    (to == ToolStdout::DevFull ? "No space left on device\n" : "Broken pipe\n"));
    }
  }
}

// A line after the sheet or dialog closed had no window to act on: the run is an
// error naming it, and an edit saves nothing.
TEST_F(ToolBadInput, ScriptLinesAfterTheWindowClosedAreAnError) {
  struct Case {
    std::vector<std::string> args;
    const char* script;
    int line;
  };
  const Case cases[] = {
      {{"edit", "--dynamic", F("good.xml")}, "set 12035 LATE\nok\nset 12035 LATER\n", 3},
      {{"edit", "--dynamic", F("good.xml")}, "cancel\n# checked\nexpect-message \"Saved\"\n", 3},
      {{"choose-field"}, "select 12020 \"BENCHMARK_PRICE\"\nok\nok\n", 3},
  };
  const auto before = Snapshot();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    const fs::path script = dir_ / "late.script";
    WriteAll(script, c.script);
    std::vector<std::string> args = c.args;
    args.insert(args.end(), {"--script", script.string()});
    const ToolResult r = RunTool(args);
    EXPECT_EQ(r.exitCode, 3) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.rfind("hcdtool: " + script.string() + ": script line " +
                              std::to_string(c.line) + ": no window is left for ",
                          0),
              0u)
        << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    fs::remove(script);
  }
  EXPECT_EQ(Snapshot(), before) << "an edit saved despite the script's late line";
}

// A window system that cannot start is a clean error of the commands that open a
// window, never an abort by Qt: exit 3, one line that says why, nothing written.
TEST_F(ToolBadInput, AnUnusableDisplayIsOneLineAndExitThree) {
  const std::vector<std::vector<std::string>> commands = {
      {"edit", "--handler", F("good.xml")},
      {"choose-field"},
      {"tour", "--out", F("tour-unusable")},
  };
  const auto before = Snapshot();
  for (const char* platform : {"wayland", "eglfs", "linuxfb", "no-such-platform"}) {
    for (const auto& args : commands) {
      SCOPED_TRACE(args[0] + " on " + platform);
      const ToolResult r =
          RunTool(args, {.timeoutSeconds = 60,
                         .environment = {std::string("QT_QPA_PLATFORM=") + platform,
                                         "WAYLAND_DISPLAY=", "DISPLAY="}});
      EXPECT_EQ(r.exitCode, 3) << r.err;
      EXPECT_EQ(r.err.rfind("hcdtool: no window can be opened: the Qt platform \"" +
                                std::string(platform) + "\" cannot start",
                            0),
                0u)
          << r.err;
      EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
  }
  fs::remove_all(dir_ / "tour-unusable");
  EXPECT_EQ(Snapshot(), before);
}

// An X server of the test's own, on a display number it picks itself; unusable
// when Xvfb is not installed or cannot start here.
class PrivateXServer {
 public:
  PrivateXServer() {
    int fds[2];
    if (pipe(fds) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      close(fds[0]);
      const int nothing = open("/dev/null", O_RDWR);
      dup2(nothing, 1);
      dup2(nothing, 2);
      const std::string fd = std::to_string(fds[1]);
      execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp", "-screen", "0",
             "1024x768x24", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(fds[1]);
    std::string number;
    pollfd readable{fds[0], POLLIN, 0};
    char c = 0;
    while (poll(&readable, 1, 10000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    if (!number.empty()) display_ = ":" + number;
  }
  ~PrivateXServer() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
  }
  PrivateXServer(const PrivateXServer&) = delete;
  PrivateXServer& operator=(const PrivateXServer&) = delete;

  // ":N", or empty when the server did not start.
  const std::string& Display() const { return display_; }

 private:
  pid_t pid_ = -1;
  std::string display_;
};

// A window the window system destroys (no window manager to ask; xdotool windowclose)
// ends the run as Cancel instead of leaving it waiting for a window nobody can see.
TEST_F(ToolBadInput, AWindowDestroyedFromOutsideEndsAsCancel) {
  PrivateXServer server;
  if (server.Display().empty()) GTEST_SKIP() << "Xvfb cannot start here";
  if (std::system(
          ("DISPLAY=" + server.Display() + " xdotool getmouselocation >/dev/null 2>&1").c_str()) !=
      0)
    GTEST_SKIP() << "xdotool cannot run here";
  struct Case {
    std::vector<std::string> args;
    const char* titlePattern;
    int exitCode;
    const char* out;
  };
  const Case cases[] = {
      // Titles name the file first and end with the tool's name.
      {{"edit", "--dynamic", F("good.xml")}, "^good\\.xml .* Record Set Properties", 1, ""},
      {{"choose-field"}, "^Select Field", 0, "\n"},
  };
  const auto before = Snapshot();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[0]);
    // A window found may be gone by the time it is closed (a window mapped and made
    // again while it settles; xdotool then fails on it and the real one stays open), so
    // what shows under the title is closed again until the run ends.
    std::atomic<bool> ended = false;
    std::thread closer([&] {
      const std::string command = "DISPLAY=" + server.Display() +
                                  " timeout 10 xdotool search --onlyvisible --name '" +
                                  c.titlePattern + "' windowclose >/dev/null 2>&1";
      bool closed = false;
      for (int tries = 0; tries < 240 && !ended; ++tries) {
        if (std::system(command.c_str()) == 0) closed = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
      }
      EXPECT_TRUE(closed) << command;
    });
    // The private display has no D-Bus of its own: without the last setting, libdbus's
    // try to start one leaves memory that LeakSanitizer reports.
    const ToolResult r = RunTool(
        c.args, {.timeoutSeconds = 60,
                 .environment = {"DISPLAY=" + server.Display(), "QT_QPA_PLATFORM=xcb",
                                 "WAYLAND_DISPLAY=", "DBUS_SESSION_BUS_ADDRESS=disabled:"}});
    ended = true;
    closer.join();
    EXPECT_FALSE(r.timedOut);
    EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
    EXPECT_EQ(r.out, c.out);
    EXPECT_LE(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  }
  EXPECT_EQ(Snapshot(), before);
}

// A value holding a line feed or another control character cannot break the summary's
// two lines: it shows escaped, as describe-persist shows its values.
TEST_F(ToolBadInput, SummaryKeepsControlCharactersOnTheirLine) {
  WriteAll(dir_ / "control-sid.xml",
           std::string(kHeader) +
               "<Properties>\n  <Property Name=\"SID\" Type=\"String\">A\nB\r\tC\\D" +
               "</Property>\n</Properties>\n");
  const ToolResult r = RunTool({"summary", "--handler", F("control-sid.xml")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 2) << r.out;
  EXPECT_NE(r.out.find("|SID=A\\nB\\r\\tC\\\\D|"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.substr(r.out.find('\n') + 1), "11\n");
}

// The save of an edit fails cleanly at each step a real system can fail it at: the
// old file stays byte for byte and no temporary file is left.
TEST_F(ToolBadInput, FailedSavesLeaveTheOldFileWhole) {
  const fs::path work = dir_ / "saves";
  fs::create_directories(work);
  const fs::path script = work / "accept.script";
  WriteAll(script, "set 12035 \"NEW-SECURITY-ID-LONG-ENOUGH-TO-GROW-THE-FILE\"\nok\n");
  const fs::path file = work / "dynamic.xml";
  const std::string original = std::string(kHeader) +
                               "<Properties>\n  <Property Name=\"SecurityID\" "
                               "Type=\"String\">OLD</Property>\n</Properties>\n";
  auto entries = [&] {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(work)) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  };

  // The disk fills up while the new file is written.
  WriteAll(file, original);
  const auto names = entries();
  ToolResult r = RunTool({"edit", "--dynamic", file.string(), "--script", script.string()},
                         {.workDir = "",
                          .timeoutSeconds = 120,
                          .maxFileSize = static_cast<std::int64_t>(original.size())});
  EXPECT_EQ(r.exitCode, 3) << r.err;
  EXPECT_NE(r.err.find(file.string()), std::string::npos) << r.err;
  EXPECT_EQ(ReadAll(file), original);
  EXPECT_EQ(entries(), names);

  // The target is read-only.
  fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  r = RunTool({"edit", "--dynamic", file.string(), "--script", script.string()});
  EXPECT_EQ(r.exitCode, 3) << r.err;
  EXPECT_NE(r.err.find("read-only"), std::string::npos) << r.err;
  EXPECT_EQ(ReadAll(file), original);
  EXPECT_EQ(entries(), names);
  fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);

  // The target's folder does not exist.
  r = RunTool({"edit", "--dynamic", (work / "no-such-folder" / "x.xml").string(), "--script",
               script.string()});
  EXPECT_EQ(r.exitCode, 3) << r.err;
  EXPECT_EQ(entries(), names);

  // And with room enough, the same edit saves.
  r = RunTool({"edit", "--dynamic", file.string(), "--script", script.string()});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(ReadAll(file).find("NEW-SECURITY-ID"), std::string::npos);
  EXPECT_EQ(entries(), names);
}

// The password is stored scrambled and is shown nowhere in clear.
TEST_F(ToolBadInput, ThePasswordNeverAppearsInClear) {
  const std::string secret = "Tr0ub4dor&3";
  const fs::path work = dir_ / "secrets";
  fs::create_directories(work);
  const fs::path file = work / "handler.xml";
  const fs::path script = work / "password.script";
  WriteAll(script, "set \"Password:\" \"" + secret +
                       "\"\nset 12032 BANK01\nset 12033 KEL\nprint 12011\nok\n");
  ToolResult r = RunTool({"edit", "--handler", file.string(), "--script", script.string()});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "(hidden)\n");
  std::vector<ToolResult> outputs = {
      r,
      RunTool({"summary", "--handler", file.string()}),
      RunTool({"check-change", "--handler", file.string(), F("good.xml")}),
      RunTool({"describe-persist", "--version", "1", file.string()}),
  };
  // A script that fails after typing the password, and a refused save.
  WriteAll(script, "set 12011 \"" + secret + "\"\nset 4242 x\n");
  outputs.push_back(RunTool({"edit", "--handler", file.string(), "--script", script.string()}));
  WriteAll(script, "set 12011 \"" + secret + "\"\nset 12032 \"\"\nok\n");
  outputs.push_back(RunTool({"edit", "--handler", file.string(), "--script", script.string()}));
  for (const ToolResult& o : outputs) {
    EXPECT_EQ(o.out.find(secret), std::string::npos) << o.out;
    EXPECT_EQ(o.err.find(secret), std::string::npos) << o.err;
  }
  EXPECT_EQ(ReadAll(file).find(secret), std::string::npos);
  // It is still the password the module reads back: a different one is a change.
  WriteAll(script, "set 12011 \"other\"\nok\n");
  const fs::path other = work / "other.xml";
  fs::copy_file(file, other);
  ASSERT_EQ(RunTool({"edit", "--handler", other.string(), "--script", script.string()}).exitCode,
            0);
  EXPECT_EQ(RunTool({"check-change", "--handler", file.string(), other.string()}).out, "0\n");
}

}  // namespace

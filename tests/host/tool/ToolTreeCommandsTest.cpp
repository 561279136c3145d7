// plan and lint over configuration trees, and the --json output of every command
// read back by a JSON parser that is not the tool's own.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/ScratchFolder.h"
#include "tests/host/tool/ToolRunner.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

// An example configuration with one stored value replaced.
std::string Example(const std::string& name, const std::string& from = "",
                    const std::string& to = "") {
  std::string text = ReadAll(fs::path(EXAMPLES_DIR) / name);
  if (!from.empty()) {
    const std::size_t at = text.find(from);
    if (at == std::string::npos) throw std::logic_error(name + " holds no " + from);
    text.replace(at, from.size(), to);
  }
  return text;
}

// Property text as the examples write it.
std::string Stored(const std::string& name, const std::string& value) {
  return "\"" + name + "\" Type=\"String\">" + value + "<";
}

// A folder of this test process, emptied first.
class TreeTest : public ::testing::Test {
 protected:
  void Write(const std::string& relative, const std::string& text) {
    scratch_.Write(relative, text);
  }
  std::string Path(const std::string& relative) const { return scratch_.Path(relative); }

  const ScratchFolder scratch_{"trees", SCRATCH_DIR};
  const fs::path& dir_ = scratch_.path();
};

using ToolPlan = TreeTest;

TEST_F(ToolPlan, ListsEveryFileAndGivesAVerdictPerHandlerFolder) {
  const std::string handler = Example("handler.xml");
  const std::string statics = Example("static.xml");
  const std::string dynamic = Example("dynamic.xml");
  // h1: a restart (password and message rate), a record set to refresh, one changed
  // without need, one the same, one added, one removed.
  Write("old/h1/handler.xml", handler);
  Write("new/h1/handler.xml", Example("handler-changed.xml", "e704b62cab70", "0000b62cab70"));
  Write("old/h1/static/refresh.xml", statics);
  Write("new/h1/static/refresh.xml", Example("static.xml", ">EUR<", ">USD<"));
  Write("old/h1/static/no-refresh.xml", statics);
  Write("new/h1/static/no-refresh.xml",
        Example("static.xml", "benchmark-report.csv", "other-report.csv"));
  Write("old/h1/static/same.xml", statics);
  Write("new/h1/static/same.xml", statics);
  Write("new/h1/dynamic/added.xml", dynamic);
  Write("old/h1/dynamic/removed.xml", dynamic);
  // h2: a handler change that needs no restart, and a file that no longer parses.
  Write("old/h2/handler.xml", handler);
  Write("new/h2/handler.xml", Example("handler.xml", Stored("UserDefinedHostURL", ""),
                                      Stored("UserDefinedHostURL", "https://kel.example")));
  Write("old/h2/dynamic/broken.xml", dynamic);
  Write("new/h2/dynamic/broken.xml", "<Properties>\n<Property Name=\"SecurityID\">\n");
  Write("old/h2/static/broken-in-both.xml", "<Properties>\n</Propertie>\n");
  Write("new/h2/static/broken-in-both.xml", "<Properties>\n</Propertie>\n");
  Write("old/h2/dynamic/same.xml", dynamic);
  Write("new/h2/dynamic/same.xml", dynamic);

  const ToolResult r = RunTool({"plan", Path("old"), Path("new"), "--json"});
  EXPECT_EQ(r.exitCode, 3) << r.err;
  const json document = json::parse(r.out);

  struct Entry {
    const char* path;
    const char* kind;
    const char* status;
    json action;
    std::vector<std::string> changed;
  };
  const Entry expected[] = {
      {"h1/handler.xml", "handler", "changed", 0, {"Password", "MaxMessagePerSec"}},
      {"h1/static/no-refresh.xml", "static", "changed", 1, {"FileLocation"}},
      {"h1/static/refresh.xml", "static", "changed", 2, {"Currency"}},
      {"h1/static/same.xml", "static", "same", 1, {}},
      {"h1/dynamic/added.xml", "dynamic", "added", nullptr, {}},
      {"h1/dynamic/removed.xml", "dynamic", "removed", nullptr, {}},
      {"h2/handler.xml", "handler", "changed", 1, {"UserDefinedHostURL"}},
      {"h2/static/broken-in-both.xml", "static", "error", nullptr, {}},
      {"h2/dynamic/broken.xml", "dynamic", "error", nullptr, {}},
      {"h2/dynamic/same.xml", "dynamic", "same", 1, {}},
  };
  const json& files = document.at("files");
  ASSERT_EQ(files.size(), std::size(expected)) << r.out;
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    SCOPED_TRACE(expected[i].path);
    const json& f = files[i];
    EXPECT_EQ(f.at("path"), expected[i].path);
    EXPECT_EQ(f.at("kind"), expected[i].kind);
    EXPECT_EQ(f.at("status"), expected[i].status);
    EXPECT_EQ(f.at("action"), expected[i].action);
    EXPECT_EQ(f.at("changed").get<std::vector<std::string>>(), expected[i].changed);
    if (expected[i].status == std::string("error"))
      EXPECT_NE(f.at("error").get<std::string>().find(
                    (i == 7 ? "old/h2/static/broken-in-both.xml: line 2:"
                            : "new/h2/dynamic/broken.xml: line 2:")),
                std::string::npos)
          << f.at("error");
    else
      EXPECT_TRUE(f.at("error").is_null());
  }
  const json& handlers = document.at("handlers");
  ASSERT_EQ(handlers.size(), 2u);
  EXPECT_EQ(handlers[0].at("restart"), true);
  EXPECT_EQ(handlers[0].at("refresh"), json({"static/refresh.xml"}));
  EXPECT_EQ(handlers[0].at("added"), json({"dynamic/added.xml"}));
  EXPECT_EQ(handlers[0].at("removed"), json({"dynamic/removed.xml"}));
  EXPECT_EQ(handlers[1].at("restart"), false);
  EXPECT_EQ(handlers[1].at("errors"), 2);

  const ToolResult text = RunTool({"plan", Path("old"), Path("new")});
  EXPECT_EQ(text.exitCode, 3);
  EXPECT_NE(text.out.find("handler folder h1: RESTART the handler; refresh 1 record set; "
                          "1 added; 1 removed; 2 unchanged\n"
                          "  refresh: static/refresh.xml\n"
                          "  added: dynamic/added.xml\n"
                          "  removed: dynamic/removed.xml\n"),
            std::string::npos)
      << text.out;
  EXPECT_NE(text.out.find("handler folder h2: no restart; no record set to refresh; "
                          "1 unchanged; 2 files not planned\n"),
            std::string::npos)
      << text.out;
  // A password is named, never shown, in clear or scrambled.
  for (const std::string& out : {r.out, text.out}) {
    EXPECT_EQ(out.find("b62cab70"), std::string::npos);
    EXPECT_EQ(out.find("bank01.submitter"), std::string::npos);
  }
}

TEST_F(ToolPlan, LeavesOutWhatIsNotPartOfATreeWithANote) {
  Write("old/handler.xml", Example("handler.xml"));
  Write("new/handler.xml", Example("handler.xml"));
  Write("new/static/notes.txt", "not a configuration");
  Write("new/README", "not a configuration");
  Write("new/static/nested/x.xml", Example("static.xml"));
  const ToolResult r = RunTool({"plan", "--json", Path("old"), Path("new")});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  const json files = json::parse(r.out).at("files");
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(files[0].at("path"), "handler.xml");
  EXPECT_EQ(files[0].at("status"), "same");
  for (const char* left : {"new/README", "new/static/notes.txt", "new/static/nested"})
    EXPECT_NE(r.err.find("hcdtool: note: " + Path(left) + ": left out"), std::string::npos)
        << r.err;

  const ToolResult noTree = RunTool({"plan", Path("old/handler.xml"), Path("new")});
  EXPECT_EQ(noTree.exitCode, 3);
  EXPECT_NE(noTree.err.find("not a folder"), std::string::npos) << noTree.err;
}

// Runs git in the folder, no shell between; false when it failed.
bool Git(const fs::path& folder, std::vector<std::string> args) {
  args.insert(args.begin(), {"git", "-C", folder.string(), "-c", "user.name=Plan Test", "-c",
                             "user.email=plan@test.example", "-c", "commit.gpgsign=false"});
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    execvp("git", argv.data());
    _exit(127);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST_F(ToolPlan, ComparesTheWorkingTreeWithACommitReadThroughGit) {
  const std::string rate = "\"MaxMessagePerSec\" Type=\"Int\">30<";
  const fs::path repo = dir_ / "repo";
  // The first commit: three handler folders, one with a record set that does not parse.
  Write("repo/h1/handler.xml", Example("handler.xml"));
  Write("repo/h1/static/eur.xml", Example("static.xml"));
  Write("repo/h2/handler.xml", Example("handler.xml"));
  Write("repo/h3/handler.xml", Example("handler.xml"));
  Write("repo/h3/static/broken.xml", "<Properties>\n</Propertie>\n");
  ASSERT_TRUE(Git(repo, {"init", "-q"}));
  ASSERT_TRUE(Git(repo, {"add", "-A"}));
  ASSERT_TRUE(Git(repo, {"commit", "-q", "-m", "first"}));
  // The second: a new rate in h1, a record set added to h2, the broken one mended.
  Write("repo/h1/handler.xml",
        Example("handler.xml", rate, "\"MaxMessagePerSec\" Type=\"Int\">20<"));
  Write("repo/h2/static/gbp.xml", Example("static.xml", ">EUR<", ">GBP<"));
  Write("repo/h3/static/broken.xml", Example("static.xml"));
  ASSERT_TRUE(Git(repo, {"add", "-A"}));
  ASSERT_TRUE(Git(repo, {"commit", "-q", "-m", "second"}));
  // Not committed: h2's handler gone, h4 new, and h3's record set one its page refuses.
  fs::remove(repo / "h2/handler.xml");
  Write("repo/h4/handler.xml", Example("handler.xml"));
  Write("repo/h3/static/broken.xml", Example("static.xml", ">EUR<", ">  <"));
  const ToolLimits inRepo{.workDir = repo.string()};

  const ToolResult plan = RunTool({"plan", "--git", "HEAD"}, inRepo);
  EXPECT_EQ(plan.exitCode, 1) << plan.err;
  for (const char* line :
       {"removed h2/handler.xml\n", "added h4/handler.xml\n",
        "refused h3/static/broken.xml changed: Currency: Currency can not be empty\n",
        "0 changed, 1 added, 1 removed, 4 unchanged; 0 handlers to restart, 0 record sets to "
        "refresh; 1 refused, 0 unreadable\n"})
    EXPECT_NE(plan.out.find(line), std::string::npos) << line << "\n" << plan.out;
  // h1 is as committed: nothing is to be done there, and nothing is said of it.
  EXPECT_EQ(plan.out.find("h1"), std::string::npos) << plan.out;
  // The repository itself is not taken for a folder of the tree.
  EXPECT_EQ(plan.err, "");

  const ToolResult planJson = RunTool({"plan", "--git", "HEAD", "--json", "."}, inRepo);
  EXPECT_EQ(planJson.exitCode, 1) << planJson.err;
  std::map<std::string, std::string> status;
  const json planned = json::parse(planJson.out);
  for (const json& file : planned.at("files"))
    status[file.at("path").get<std::string>()] = file.at("status").get<std::string>();
  EXPECT_EQ(status, (std::map<std::string, std::string>{{"h1/handler.xml", "same"},
                                                        {"h1/static/eur.xml", "same"},
                                                        {"h2/handler.xml", "removed"},
                                                        {"h2/static/gbp.xml", "same"},
                                                        {"h3/handler.xml", "same"},
                                                        {"h3/static/broken.xml", "refused"},
                                                        {"h4/handler.xml", "added"}}));

  // Two commits back, from outside the repository, on a folder within it: the old side
  // is named as git names it.
  const ToolResult diff = RunTool({"diff", "--git", "HEAD~1", (repo / "h1").string()});
  EXPECT_EQ(diff.exitCode, 1) << diff.err;
  EXPECT_NE(diff.out.find("changed handler.xml action 0 changed: MaxMessagePerSec\n"
                          "  Max Messages Per Sec.: \"30\" \u2192 \"20\"\n"),
            std::string::npos)
      << diff.out;
  const ToolResult diffJson = RunTool({"diff", "--json", "--git", "HEAD~1"}, inRepo);
  EXPECT_EQ(diffJson.exitCode, 3) << diffJson.err;
  const json files = json::parse(diffJson.out).at("files");
  std::map<std::string, json> byPath;
  for (const json& file : files) byPath[file.at("path")] = file;
  EXPECT_EQ(byPath.at("h2/static/gbp.xml").at("status"), "added");
  EXPECT_EQ(byPath.at("h2/handler.xml").at("status"), "removed");
  EXPECT_EQ(byPath.at("h1/handler.xml").at("status"), "changed");
  EXPECT_NE(byPath.at("h1/handler.xml").dump().find("Max Messages Per Sec."), std::string::npos)
      << byPath.at("h1/handler.xml");
  const json& broken = byPath.at("h3/static/broken.xml");
  EXPECT_EQ(broken.at("status"), "error");
  EXPECT_NE(broken.at("error").get<std::string>().find("HEAD~1:h3/static/broken.xml: line 2"),
            std::string::npos)
      << broken;

  // Nothing was checked out or left behind.
  EXPECT_EQ(ReadAll(repo / "h1/handler.xml").find(rate), std::string::npos);
  EXPECT_FALSE(fs::exists(repo / "h2/handler.xml"));
}

TEST_F(ToolPlan, AGitSideThatCannotBeReadIsAnError) {
  const fs::path repo = dir_ / "repo";
  Write("repo/h1/handler.xml", Example("handler.xml"));
  Write("repo/h2/handler.xml", Example("handler.xml"));
  Write("outside/h1/handler.xml", Example("handler.xml"));
  ASSERT_TRUE(Git(repo, {"init", "-q"}));
  ASSERT_TRUE(Git(repo, {"add", "-A"}));
  ASSERT_TRUE(Git(repo, {"commit", "-q", "-m", "first"}));
  struct Case {
    std::vector<std::string> args;
    int exitCode;
    const char* message;
  };
  const std::string r = repo.string();
  const Case cases[] = {
      {{"plan", "--git", "no-such-rev", r}, 3, "no-such-rev: no such commit"},
      // Never taken for an option of git's.
      {{"diff", "--git", "--output=x", r}, 3, "--output=x: no such commit"},
      {{"plan", "--git", "HEAD:h1", r}, 3, "no such commit"},
      {{"plan", "--git", "HEAD", Path("outside")}, 3, "not in a git work tree"},
      {{"plan", "--git", "HEAD", (repo / ".git").string()}, 3, "not in a git work tree"},
      {{"plan", "--git", "HEAD", (repo / "h1/handler.xml").string()}, 3, "not a folder"},
      {{"plan", "--git", "HEAD", r, r}, 2, "at most one TREE"},
      {{"diff", "--git", "HEAD", "--handler", r}, 2, "give no kind option"},
      {{"plan", "--git"}, 2, "--git"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.back());
    // The scratch folder may itself lie in a repository: git looks no higher.
    const ToolResult run =
        RunTool(c.args, {.environment = {"GIT_CEILING_DIRECTORIES=" + dir_.string()}});
    EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
  }
  EXPECT_FALSE(fs::exists(repo / "x"));

  // A working file that cannot be read is an error, never "removed"; the commit's side
  // is read through git whatever its mode on disk.
  fs::create_directories(dir_ / "probe");
  fs::permissions(dir_ / "probe", fs::perms::none);
  if (!PermissionsBind(dir_ / "probe"))
    GTEST_SKIP() << "file permissions cannot be made to bind a run here";
  fs::permissions(repo / "h2/handler.xml", fs::perms::none);
  const ToolResult locked = RunTool({"plan", "--git", "HEAD", r}, {.boundByPermissions = true});
  EXPECT_EQ(locked.exitCode, 3) << locked.err;
  EXPECT_NE(locked.out.find("error h2/handler.xml: "), std::string::npos) << locked.out;
  EXPECT_NE(locked.out.find("Permission denied"), std::string::npos) << locked.out;
  EXPECT_EQ(locked.out.find("removed h2"), std::string::npos) << locked.out;
  EXPECT_NE(locked.out.find(" 0 removed, "), std::string::npos) << locked.out;
  EXPECT_NE(locked.out.find(" 1 unreadable\n"), std::string::npos) << locked.out;
}

// The same change in many handler folders: each file still has its line, but what
// their pages show differently is shown once below them all; a folder where nothing
// is to be done has no line; the totals close the text, and the JSON document too.
TEST_F(ToolPlan, GroupsTheSameChangeAndClosesWithTotals) {
  const std::string rate = "\"MaxMessagePerSec\" Type=\"Int\">";
  for (const char* folder : {"h1", "h2", "h3", "h4"}) {
    Write(std::string("old/") + folder + "/handler.xml", Example("handler.xml"));
    Write(std::string("old/") + folder + "/static/eur.xml", Example("static.xml"));
    Write(std::string("new/") + folder + "/static/eur.xml", Example("static.xml"));
  }
  for (const char* folder : {"h1", "h2"})
    Write(std::string("new/") + folder + "/handler.xml",
          Example("handler.xml", rate + "30", rate + "20"));
  // h3 unchanged; h2's record set refreshed; h4 with another rate.
  Write("new/h3/handler.xml", Example("handler.xml"));
  Write("new/h2/static/eur.xml", Example("static.xml", ">EUR<", ">USD<"));
  Write("new/h4/handler.xml", Example("handler.xml", rate + "30", rate + "10"));

  const ToolResult diff = RunTool({"diff", Path("old"), Path("new")});
  EXPECT_EQ(diff.exitCode, 1) << diff.err;
  EXPECT_EQ(diff.out,
            "changed h1/handler.xml action 0 changed: MaxMessagePerSec\n"
            "changed h2/handler.xml action 0 changed: MaxMessagePerSec\n"
            "  Max Messages Per Sec.: \"30\" \u2192 \"20\"\n"
            "changed h2/static/eur.xml action 2 changed: Currency\n"
            "  Currency: \"EUR\" \u2192 \"USD\"\n"
            "changed h4/handler.xml action 0 changed: MaxMessagePerSec\n"
            "  Max Messages Per Sec.: \"30\" \u2192 \"10\"\n"
            "handler folder h1: RESTART the handler; no record set to refresh; 1 unchanged\n"
            "handler folder h4: RESTART the handler; no record set to refresh; 1 unchanged\n"
            "handler folder h2: RESTART the handler; refresh 1 record set\n"
            "  refresh: static/eur.xml\n"
            "4 changed, 0 added, 0 removed, 4 unchanged; 3 handlers to restart, 1 record set to "
            "refresh; 0 refused, 0 unreadable\n");

  const ToolResult plan = RunTool({"plan", Path("old"), Path("new")});
  EXPECT_EQ(plan.exitCode, 0) << plan.err;
  EXPECT_EQ(plan.out.find("h3"), std::string::npos) << plan.out;
  EXPECT_EQ(plan.out.find("Max Messages"), std::string::npos) << plan.out;
  EXPECT_NE(plan.out.find("changed h1/handler.xml action 0 changed: MaxMessagePerSec\n"
                          "changed h2/handler.xml action 0 changed: MaxMessagePerSec\n"
                          "changed h4/handler.xml action 0 changed: MaxMessagePerSec\n"
                          "changed h2/static/eur.xml action 2 changed: Currency\n"),
            std::string::npos)
      << plan.out;

  for (const char* command : {"plan", "diff"}) {
    SCOPED_TRACE(command);
    const ToolResult r = RunTool({command, "--json", Path("old"), Path("new")});
    const json document = json::parse(r.out);
    EXPECT_EQ(document.at("totals"), json({{"changed", 4},
                                           {"added", 0},
                                           {"removed", 0},
                                           {"unchanged", 4},
                                           {"restarts", 3},
                                           {"refreshes", 1},
                                           {"refused", 0},
                                           {"unreadable", 0}}));
    // Every folder stays in the data, h3 included.
    EXPECT_EQ(document.at("handlers").size(), 4u);
  }
}

// The exit status a CI job reads: plain, plan says only refused and unusable, diff
// also whether anything differs; --detailed-exitcode says what deploying asks for.
TEST_F(ToolPlan, DetailedExitCodesSayWhatDeployingAsks) {
  const std::string rate = "\"MaxMessagePerSec\" Type=\"Int\">";
  Write("same/h/handler.xml", Example("handler.xml"));
  Write("same/h/static/eur.xml", Example("static.xml"));
  Write("norestart/h/handler.xml", Example("handler.xml"));
  Write("norestart/h/static/eur.xml",
        Example("static.xml", "benchmark-report.csv", "other-report.csv"));
  Write("refresh/h/handler.xml", Example("handler.xml"));
  Write("refresh/h/static/eur.xml", Example("static.xml", ">EUR<", ">USD<"));
  Write("restart/h/handler.xml", Example("handler.xml", rate + "30", rate + "20"));
  Write("restart/h/static/eur.xml", Example("static.xml"));
  Write("added/h/handler.xml", Example("handler.xml"));
  Write("added/h/static/eur.xml", Example("static.xml"));
  Write("added/h2/handler.xml", Example("handler.xml"));
  Write("refused/h/handler.xml", Example("handler.xml", rate + "30", rate + "20"));
  Write("refused/h/static/eur.xml", Example("static.xml", ">EUR<", "><"));
  Write("broken/h/handler.xml", Example("handler.xml", rate + "30", rate + "20"));
  Write("broken/h/static/eur.xml", "<Properties>\n</Propertie>\n");

  struct Case {
    const char* tree;
    int plan, planDetailed, diff, diffDetailed;
  };
  const Case cases[] = {
      {"same", 0, 0, 0, 0},    {"norestart", 0, 4, 1, 4}, {"refresh", 0, 4, 1, 4},
      {"restart", 0, 5, 1, 5}, {"added", 0, 4, 1, 4},     {"refused", 1, 1, 1, 1},
      {"broken", 3, 3, 3, 3},
  };
  const std::string old = Path("same");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tree);
    const std::string tree = Path(c.tree);
    EXPECT_EQ(RunTool({"plan", old, tree}).exitCode, c.plan);
    EXPECT_EQ(RunTool({"plan", "--detailed-exitcode", old, tree}).exitCode, c.planDetailed);
    EXPECT_EQ(RunTool({"diff", old, tree}).exitCode, c.diff);
    EXPECT_EQ(RunTool({"diff", old, tree, "--detailed-exitcode"}).exitCode, c.diffDetailed);
    // Quiet: the same status, nothing on stdout, and on stderr only what failed.
    const ToolResult quiet = RunTool({"plan", "--quiet", "--detailed-exitcode", old, tree});
    EXPECT_EQ(quiet.exitCode, c.planDetailed);
    EXPECT_EQ(quiet.out, "");
    if (c.planDetailed == 1)
      EXPECT_EQ(quiet.err,
                "hcdtool: h/static/eur.xml: refused by its page: Currency can not be empty\n");
    else if (c.planDetailed == 3)
      EXPECT_NE(quiet.err.find("hcdtool: h/static/eur.xml: not planned: " + Path("broken") +
                               "/h/static/eur.xml: line 2:"),
                std::string::npos)
          << quiet.err;
    else
      EXPECT_EQ(quiet.err, "");
    const ToolResult quietDiff = RunTool({"diff", "--quiet", old, tree});
    EXPECT_EQ(quietDiff.exitCode, c.diff);
    EXPECT_EQ(quietDiff.out, "");
  }
  // Two files: the one entry says it.
  EXPECT_EQ(RunTool({"diff", "--detailed-exitcode", Path("same/h/handler.xml"),
                     Path("restart/h/handler.xml")})
                .exitCode,
            5);
  EXPECT_EQ(RunTool({"diff", "--detailed-exitcode", Path("same/h/static/eur.xml"),
                     Path("refresh/h/static/eur.xml")})
                .exitCode,
            4);
  const ToolResult both = RunTool({"plan", "--quiet", "--json", old, old});
  EXPECT_EQ(both.exitCode, 2);
  EXPECT_EQ(both.out, "");
}

// A large calendar is held once at a time: plan drops both documents before the page
// of the new file checks it, so the page's own copies of the calendar are the most of
// the peak, and no more than 5.6 times the pair (6.1 times while the documents stayed
// beside the page).
TEST_F(ToolPlan, HoldsALargePairOnceAtATime) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer's shadow memory is no measure of the tool's";
#else
  // Ten currencies of 9,520 days each, and one day more in the new file.
  const auto calendar = [](int extra) {
    std::string properties;
    std::string codes;
    for (const char* code :
         {"EUR", "GBP", "USD", "CHF", "JPY", "AUD", "CAD", "SEK", "NOK", "DKK"}) {
      std::string table;
      std::chrono::sys_days day = std::chrono::sys_days(std::chrono::year(1971) / 1 / 1);
      const int days = 9520 + (std::string(code) == "EUR" ? extra : 0);
      for (int i = 0; i < days; ++i, day += std::chrono::days(1)) {
        const std::chrono::year_month_day date(day);
        char key[16];
        std::snprintf(key, sizeof key, "%04d-%02u-%02u", static_cast<int>(date.year()),
                      static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
        table += std::string(key) + "|Holiday number " + std::to_string(i) + "|";
      }
      properties += std::string("  <Property Name=\"CurrencyTable_") + code +
                    "\" Type=\"String\">" + table + "</Property>\n";
      codes += std::string(code) + "|";
    }
    std::string text;
    std::istringstream lines(Example("handler.xml"));
    for (std::string line; std::getline(lines, line);) {
      if (line.find("\"CurrencyTable_") != std::string::npos) continue;
      if (line.find("\"CurrencyTable\"") != std::string::npos)
        line = properties + "  <Property Name=\"CurrencyTable\" Type=\"String\">" + codes +
               "</Property>";
      text += line + '\n';
    }
    return text;
  };
  const std::string rate = "\"MaxMessagePerSec\" Type=\"Int\">";
  Write("large-old/h/handler.xml", calendar(0));
  Write("large-new/h/handler.xml", calendar(1));
  Write("small-old/h/handler.xml", Example("handler.xml"));
  Write("small-new/h/handler.xml", Example("handler.xml", rate + "30", rate + "20"));

  const ToolResult small = RunTool({"plan", "--json", Path("small-old"), Path("small-new")});
  const ToolResult large = RunTool({"plan", "--json", Path("large-old"), Path("large-new")});
  ASSERT_EQ(small.exitCode, 0) << small.err;
  ASSERT_EQ(large.exitCode, 0) << large.err;
  ASSERT_EQ(json::parse(large.out).at("files")[0].at("status"), "changed");
  const double pairKb = static_cast<double>(fs::file_size(Path("large-old/h/handler.xml")) +
                                            fs::file_size(Path("large-new/h/handler.xml"))) /
                        1024.0;
  EXPECT_LE(static_cast<double>(large.maxRssKb - small.maxRssKb), 5.6 * pairKb)
      << large.maxRssKb << " KB against " << small.maxRssKb << " KB; the pair " << pairKb << " KB";
#endif
}

using ToolLint = TreeTest;

TEST_F(ToolLint, NamesEachRefusedFileWithThePagesMessage) {
  struct Case {
    const char* path;
    std::string text;
    const char* message;
    const char* label;  // of the control the refusal gives the focus to
  };
  const std::string hostUrl = "\"EnableDefaultURL\" Type=\"Bool\">";
  const Case cases[] = {
      {"url/handler.xml", Example("handler.xml", hostUrl + "true", hostUrl + "false"),
       "User-defined [Host URL] can not be empty", "Host URL:"},
      {"sid/handler.xml", Example("handler.xml", Stored("SID", "BANK01"), Stored("SID", " ")),
       "SenderCompID can not be empty", "SenderCompID:"},
      {"tid/handler.xml", Example("handler.xml", Stored("TID", "KELBMK"), Stored("TID", "")),
       "TargetCompID can not be empty", "TargetCompID:"},
      {"proxy/handler.xml", Example("handler.xml", "proxy.bank.example", ""),
       "Please enter an address for Proxy", "Address:"},
      {"port/handler.xml",
       Example("handler.xml", Stored("ProxyPort", "8080"), Stored("ProxyPort", "")),
       "Please enter port for Proxy", "Port:"},
      {"rs/static/party-id.xml", Example("static.xml", ">BANK01<", "><"),
       "Party ID is free form field but can not be empty", "Party ID:"},
      {"rs/static/currency.xml", Example("static.xml", ">EUR<", ">  <"),
       "Currency can not be empty", "Currency:"},
      {"rs/static/security-id.xml", Example("static.xml", ">EUR-KELIBOR-3M<", "><"),
       "Security ID can not be empty", "Security ID:"},
      // The party ID source and party role are refused for no stored value: an empty
      // one selects the first entry, and their texts are not trimmed. The security ID
      // source's is.
      {"rs/static/security-id-source.xml",
       Example("static.xml", Stored("SecurityIDSource", "8"), Stored("SecurityIDSource", " ")),
       "Security ID Source can not be empty", "Security ID Source:"},
      {"rs/static/file-location.xml",
       Example("static.xml", "/var/lib/kelo/benchmark-report.csv", ""),
       "Please specify a file location for Response", "File Location:"},
      {"rs/dynamic/security-id.xml", Example("dynamic.xml", ">GBP-KELIBOR-ON<", "><"),
       "Security ID can not be empty", "Security ID:"},
  };
  for (const Case& c : cases) Write(std::string("tree/") + c.path, c.text);
  Write("tree/rs/handler.xml", Example("handler.xml"));
  Write("tree/rs/static/fine.xml", Example("static.xml"));
  Write("tree/rs/dynamic/broken.xml", "<Properties>\n  <Property Name=\"A\" Type=\"Int\">x<");

  const ToolResult r = RunTool({"lint", "--json", Path("tree")});
  EXPECT_EQ(r.exitCode, 1) << r.err;
  std::map<std::string, json> byPath;
  const json document = json::parse(r.out);
  for (const json& f : document.at("files")) byPath[f.at("path").get<std::string>()] = f;
  EXPECT_EQ(byPath.size(), std::size(cases) + 3);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    const json& f = byPath[Path("tree") + "/" + c.path];
    EXPECT_EQ(f.value("ok", true), false);
    EXPECT_EQ(f.value("message", json()), c.message);
    EXPECT_EQ(f.at("control").value("label", ""), c.label);
  }
  EXPECT_EQ(byPath[Path("tree/rs/handler.xml")].at("ok"), true);
  EXPECT_EQ(byPath[Path("tree/rs/static/fine.xml")].at("ok"), true);
  const json& broken = byPath[Path("tree/rs/dynamic/broken.xml")];
  EXPECT_EQ(broken.at("ok"), false);
  EXPECT_EQ(broken.at("line"), 2);

  // The text names each refused file with the page's exact message, one line each.
  const ToolResult text = RunTool({"lint", Path("tree")});
  EXPECT_EQ(text.exitCode, 1);
  for (const Case& c : cases)
    EXPECT_NE(text.out.find(Path("tree") + "/" + c.path + ": " + c.message + " [control "),
              std::string::npos)
        << c.path << '\n'
        << text.out;
  EXPECT_EQ(std::count(text.out.begin(), text.out.end(), '\n'),
            static_cast<long>(std::size(cases)) + 1);
  // Nothing is written.
  for (const Case& c : cases) EXPECT_EQ(ReadAll(Path(std::string("tree/") + c.path)), c.text);
}

TEST_F(ToolLint, AcceptsACleanTreeAndTakesALoneFileByItsKind) {
  const ToolResult clean = RunTool({"lint", std::string(EXAMPLES_DIR) + "/trees/before",
                                    std::string(EXAMPLES_DIR) + "/trees/after"});
  EXPECT_EQ(clean.exitCode, 0) << clean.out << clean.err;
  EXPECT_EQ(clean.out, "");

  Write("loose.xml", Example("dynamic.xml", ">GBP-KELIBOR-ON<", "><"));
  const ToolResult lone = RunTool({"lint", "--dynamic", Path("loose.xml")});
  EXPECT_EQ(lone.exitCode, 1);
  EXPECT_EQ(lone.out.rfind(Path("loose.xml") + ": Security ID can not be empty", 0), 0u)
      << lone.out;
  const ToolResult unknown = RunTool({"lint", Path("loose.xml")});
  EXPECT_EQ(unknown.exitCode, 2);
  EXPECT_NE(unknown.err.find("give --handler, --static or --dynamic"), std::string::npos);
  const ToolResult missing = RunTool({"lint", "--static", Path("missing.xml")});
  EXPECT_EQ(missing.exitCode, 3);
  EXPECT_EQ(missing.err, "hcdtool: " + Path("missing.xml") + ": no such file or folder\n");
}

// A lone file named on the command line may be a FIFO or a pipe: it is read once,
// like a file, and an input without end is refused by name instead of filling memory.
TEST_F(ToolLint, ReadsALoneFifoLikeAFileAndRefusesAnEndlessInput) {
  const std::string fifo = Path("piped.xml");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string text = Example("dynamic.xml", ">GBP-KELIBOR-ON<", "><");
  std::thread writer([&] { std::ofstream(fifo, std::ios::binary) << text; });
  const ToolResult piped = RunTool({"lint", "--dynamic", fifo});
  writer.join();
  EXPECT_EQ(piped.exitCode, 1) << piped.err;
  EXPECT_EQ(piped.out.rfind(fifo + ": Security ID can not be empty", 0), 0u) << piped.out;

  const ToolResult endless = RunTool({"lint", "--handler", "/dev/zero"}, {.timeoutSeconds = 60});
  EXPECT_FALSE(endless.timedOut);
  EXPECT_EQ(endless.exitCode, 1);
  EXPECT_NE(endless.out.find("/dev/zero"), std::string::npos) << endless.out;
  EXPECT_LT(endless.maxRssKb, 1024 * 1024);
}

// Progress goes to a terminal only: run under a pseudo-terminal it counts the files,
// run with stderr into a file it writes nothing.
TEST_F(ToolLint, ShowsProgressOnATerminalOnly) {
  for (int i = 0; i < 301; ++i)
    Write("tree/h/dynamic/rs" + std::to_string(i) + ".xml", Example("dynamic.xml"));
  const ToolResult plain = RunTool({"lint", Path("tree")});
  EXPECT_EQ(plain.exitCode, 0);
  EXPECT_EQ(plain.err, "");

  const fs::path captured = dir_ / "terminal.out";
  const std::string command =
      "python3 -c \"import os, pty, sys\n"
      "out = open(sys.argv[1], 'wb')\n"
      "def read(fd):\n"
      "    data = os.read(fd, 4096)\n"
      "    out.write(data)\n"
      "    return data\n"
      "sys.exit(os.waitstatus_to_exitcode(pty.spawn(sys.argv[2:], read)))\" " +
      captured.string() + " " HCDTOOL_PATH " lint " + Path("tree") + " >/dev/null";
  EXPECT_EQ(std::system(command.c_str()), 0);
  EXPECT_NE(ReadAll(captured).find("lint: 301 of 301 files"), std::string::npos)
      << ReadAll(captured);
}

// Every --json document is read back by Python's own parser, stored bytes above 0x7F
// included: each must come back as the character of the same number.
TEST_F(TreeTest, EveryJsonDocumentParsesWithAnIndependentParser) {
  Write("latin.xml", Example("dynamic.xml", ">GBP-KELIBOR-ON<", ">GBP-\xC9T\xC9-\xFF<"));
  Write("old/handler.xml", Example("handler.xml"));
  Write("new/handler.xml", Example("handler.xml"));
  Write("old/static/a.xml", Example("static.xml"));
  Write("new/static/a.xml", Example("static.xml", "\"PartyRole\"", "\"R\xF4le\""));
  Write("new/static/b.xml", Example("static.xml", ">EUR<", "><"));
  std::string block = ReadAll(fs::path(EXAMPLES_DIR) / "persist/record-v1.bin");
  block.replace(block.find("BANK01-PANEL"), 6, "B\xC4NK\xE9\xFF");
  Write("block.bin", block);

  struct Case {
    std::vector<std::string> args;
    int exitCode;
    const char* check;  // a Python expression over the document d
  };
  const Case cases[] = {
      {{"info", "--json"}, 0, "d['name'] == 'KELO' and d['code'].startswith('0x')"},
      {{"summary", "--json", "--dynamic", Path("latin.xml")},
       0,
       "d['summary'].startswith('Security ID=GBP-\\u00c9T\\u00c9-\\u00ff|') and d['count'] == 2"},
      {{"check-change", "--json", "--dynamic", Path("latin.xml"), EXAMPLES_DIR "/dynamic.xml"},
       0,
       "d['action'] == 2 and d['kind'] == 'dynamic'"},
      {{"validate-field", "--json", "F\xE9ld"},
       1,
       "d['name'] == 'F\\u00e9ld' and d['valid'] is False and len(d['message']) > 0"},
      {{"validate-field", "--json", "BENCHMARK_PRICE"},
       0,
       "d['valid'] is True and d['message'] is None"},
      {{"describe-persist", "--json", "--version", "1", Path("block.bin")},
       0,
       "any(p['value'].startswith('B\\u00c4NK\\u00e9\\u00ff') for p in d['pairs']) and "
       "d['described'] == 464"},
      // b.xml is refused by its page: an entry of its own, and exit 1.
      {{"plan", "--json", Path("old"), Path("new")},
       1,
       "[f['changed'] for f in d['files']] == [[], ['PartyRole', 'R\\u00f4le'], []] and "
       "[f['status'] for f in d['files']] == ['same', 'changed', 'refused'] and "
       "d['files'][2]['message'] == 'Currency can not be empty' and "
       "d['handlers'][0]['refused'] == ['static/b.xml']"},
      {{"lint", "--json", Path("new")}, 1, "[f['ok'] for f in d['files']] == [True, True, False]"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[0]);
    const ToolResult r = RunTool(c.args);
    EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
    const fs::path out = dir_ / "out.json";
    std::ofstream(out, std::ios::binary) << r.out;
    const std::string command =
        "python3 -c \"import json,sys; d=json.load(open(sys.argv[1],'rb')); "
        "sys.exit(0 if (" +
        std::string(c.check) + ") else 1)\" " + out.string();
    EXPECT_EQ(std::system(command.c_str()), 0) << r.out;
  }
}

}  // namespace

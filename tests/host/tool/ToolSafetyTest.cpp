// What the tool must never do, whatever it is given: write during a dry run, show a
// password or a value given as a secret, pass a stored terminal sequence through,
// take a digest key from outside the clone, lose git's reason, or name an input by
// a part of its path.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "tests/ScratchFolder.h"
#include "tests/host/tool/ExampleText.h"
#include "tests/host/tool/ToolRunner.h"

namespace fs = std::filesystem;

namespace {

// Whether any four characters in a row of the secret show in the text.
bool ShowsPartOf(const std::string& text, const std::string& secret) {
  for (std::size_t i = 0; i + 4 <= secret.size(); ++i)
    if (text.find(secret.substr(i, 4)) != std::string::npos) return true;
  return false;
}

class Safety : public ::testing::Test {
 protected:
  std::string Path(const std::string& relative) const { return scratch_.Path(relative); }
  void Write(const std::string& relative, const std::string& text) const {
    scratch_.Write(relative, text);
  }
  // Everything under the scratch folder: each file with its bytes, each link with
  // its target.
  std::map<std::string, std::string> Snapshot() const {
    std::map<std::string, std::string> all;
    for (const auto& entry : fs::recursive_directory_iterator(scratch_.path())) {
      if (entry.is_symlink())
        all[entry.path().string()] = "-> " + fs::read_symlink(entry.path()).string();
      else if (entry.is_regular_file())
        all[entry.path().string()] = ReadAll(entry.path());
      else
        all[entry.path().string()] = "(folder)";
    }
    return all;
  }

  const ScratchFolder scratch_{"safety", SCRATCH_DIR};
};

// A script's "Export..." chooses where the calendar goes. A dry run writes it
// nowhere, and no run writes it over a configuration of the run, not through a link
// named like a calendar either; the real run still exports where it is told.
TEST_F(Safety, ApplyNeverExportsOverAConfigurationAndADryRunExportsNothing) {
  struct Case {
    const char* what;
    const char* saveAs;  // relative to the scratch folder
    bool dryRun;
    int exitCode;
    const char* said;  // on stdout
    bool exported;     // export.csv was written
  };
  const Case cases[] = {
      {"dry run, through a link to the configuration", "t/h1/handler.csv", true, 1,
       "is the configuration", false},
      {"dry run, a new file", "export.csv", true, 0, "a dry run writes no file", false},
      {"real run, through a link to the configuration", "t/h1/handler.csv", false, 1,
       "is the configuration", false},
      {"real run, a new file", "export.csv", false, 0, "0 changed, 1 unchanged", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(Path("t"));
    fs::remove(Path("export.csv"));
    Write("t/h1/handler.xml", Example("handler.xml"));
    fs::create_symlink("handler.xml", Path("t/h1/handler.csv"));
    Write("export.script", std::string("click \"Holiday setting\"\n"
                                       "select \"Currency:\" \"GBP\"\n"
                                       "click \"Export...\"\n"
                                       "save-as \"") +
                               Path(c.saveAs) + "\"\nok\n");
    const auto before = Snapshot();
    std::vector<std::string> args = {"apply", Path("export.script"), Path("t")};
    if (c.dryRun) args.push_back("--dry-run");
    const ToolResult r = RunTool(args);
    EXPECT_EQ(r.exitCode, c.exitCode) << r.out << r.err;
    EXPECT_NE(r.out.find(c.said), std::string::npos) << r.out << r.err;
    EXPECT_EQ(ReadAll(Path("t/h1/handler.xml")), Example("handler.xml"));
    EXPECT_TRUE(fs::is_symlink(Path("t/h1/handler.csv")));
    EXPECT_EQ(fs::exists(Path("export.csv")), c.exported);
    if (!c.exported) {
      EXPECT_EQ(Snapshot(), before);
    }
  }
}

// A password box shows whether it holds a password, never any of it, whatever type
// the password was stored with; and what show --textconv writes as stored is escaped
// as every output is, so that no stored terminal sequence reaches the reader's
// terminal through git log -p.
TEST_F(Safety, ShowTextconvShowsNoPasswordAndNoRawControlCharacter) {
  const std::string handler = Example("handler.xml");
  const std::string password =
      "<Property Name=\"Password\" Type=\"String\">e704b62cab70e60abc82e8b708d82e7abf260cd95bbe8cc8"
      "</Property>";
  struct Case {
    const char* what;
    std::string content;
    std::string secret;  // no four characters of it may show
  };
  const std::string scrambled = "e704b62cab70e60abc82e8b708d82e7abf260cd95bbe8cc8";
  const std::string cutOff = handler.substr(0, handler.find(scrambled) + scrambled.size() + 5);
  const Case cases[] = {
      {"a password whose text is not of the type it is stored with",
       Replaced(handler, "\"Password\" Type=\"String\"", "\"Password\" Type=\"Int\""), scrambled},
      {"a file cut off after the password", cutOff, scrambled},
      {"a password stored as a number",
       Replaced(handler, password, "<Property Name=\"Password\" Type=\"Int\">73914682</Property>"),
       "73914682"},
      {"a password stored as a group",
       Replaced(handler, password,
                "<Property Name=\"Password\"><Property Name=\"P\" Type=\"String\">Hunter2secret"
                "</Property></Property>"),
       "Hunter2secret"},
      {"a terminal sequence in a file that is no configuration",
       "notes \x1b]52;c;aHVudGVyMg==\x07 end\n\x1b[2J\n", "\x1b"},
      {"a terminal sequence in a stored value",
       Replaced(handler, "</Properties>",
                "<Property Name=\"Note\" Type=\"String\">\x1b]52;c;aGk=\x07</Property>\n"
                "</Properties>"),
       "\x1b"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Write("desk/handler.xml", c.content);
    for (const std::vector<std::string>& command :
         {std::vector<std::string>{"show", "--textconv", "--handler", Path("desk/handler.xml")},
          std::vector<std::string>{"show", Path("desk/handler.xml")},
          std::vector<std::string>{"show", "--json", Path("desk/handler.xml")}}) {
      const ToolResult r = RunTool(command);
      const std::string all = r.out + r.err;
      if (c.secret.size() >= 4) {
        EXPECT_FALSE(ShowsPartOf(all, c.secret)) << command[1] << ":\n" << all;
      } else {
        EXPECT_EQ(all.find(c.secret), std::string::npos) << command[1] << ":\n" << all;
      }
      EXPECT_EQ(all.find('\x07'), std::string::npos) << command[1] << ":\n" << all;
    }
  }
}

// A value read from stdin, the channel for secrets, is never repeated in an error:
// not when it is given for a control that is no password box, whatever its kind.
TEST_F(Safety, SetNeverEchoesAValueGivenOnStdin) {
  const std::string secret = "Hunter2secret";
  Write("t/h1/handler.xml", Example("handler.xml"));
  Write("t/h1/static/eur.xml", Example("static.xml"));
  Write("secret.txt", secret + "\n");
  for (const char* label : {"Enable Proxy", "Proxy", "Production"}) {
    SCOPED_TRACE(label);
    ToolLimits limits;
    limits.stdinFrom = Path("secret.txt");
    const ToolResult r = RunTool({"set", Path("t"), "--stdin", label}, limits);
    EXPECT_EQ(r.exitCode, 2) << r.err;
    // Refused before the page is reached: --stdin gives a password box its value only.
    EXPECT_NE(r.err.find("is no password box"), std::string::npos) << r.err;
    EXPECT_FALSE(ShowsPartOf(r.out + r.err, secret)) << r.out << r.err;
  }
  EXPECT_EQ(ReadAll(Path("t/h1/handler.xml")), Example("handler.xml"));
}

// The digest key is the clone's own: one in the user's git config gives no digest,
// in a clone or outside any, and then the textconv says that a replaced password
// cannot show; the key in the clone's config gives one.
TEST_F(Safety, PasswordDigestsComeOnlyFromTheClonesOwnKey) {
  if (std::system("git --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "no git";
  // Outside every repository, the test's own included.
  const ScratchFolder outside("safety-outside");
  const std::string home = outside.Path("home");
  outside.Write("home/.gitconfig",
                "[hcdtool]\n\tdigestkey = " + std::string(64, 'a') + "\n[user]\n\tname = R\n");
  const std::vector<std::string> environment = {"HOME=" + home, "GIT_CONFIG_NOSYSTEM=1",
                                                "GIT_CEILING_DIRECTORIES=" + outside.Path("")};
  const auto git = [&](const std::string& repo, const std::string& args) {
    const std::string command = "cd '" + repo + "' && HOME='" + home +
                                "' GIT_CONFIG_NOSYSTEM=1 git " + args + " >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  };
  const auto show = [&](const std::string& where, const std::string& file) {
    ToolLimits limits;
    limits.workDir = where;
    limits.environment = environment;
    const ToolResult r = RunTool({"show", "--textconv", "--handler", file}, limits);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return r.out;
  };
  const auto digestLine = [](const std::string& out) {
    const std::size_t at = out.find("Password digests, keyed by this clone\n");
    return at == std::string::npos ? std::string() : out.substr(at);
  };
  const std::string keyless = "Password digests: none without a key in this clone's git config";
  for (const char* clone : {"a", "b"}) {
    SCOPED_TRACE(clone);
    const std::string repo = outside.Path(clone);
    fs::create_directories(repo);
    git(repo, "init -q");
    outside.Write(std::string(clone) + "/handler.xml", Example("handler.xml"));
    const std::string out = show(repo, "handler.xml");
    EXPECT_EQ(digestLine(out), "") << out;
    EXPECT_NE(out.find(keyless), std::string::npos) << out;
  }
  const std::string out = show(outside.path(), outside.Path("a/handler.xml"));
  EXPECT_EQ(digestLine(out), "") << out;
  EXPECT_NE(out.find(keyless), std::string::npos) << out;

  git(outside.Path("a"), "config hcdtool.digestkey " + std::string(64, 'b'));
  const std::string keyed = show(outside.Path("a"), "handler.xml");
  EXPECT_NE(digestLine(keyed), "") << keyed;
  EXPECT_EQ(keyed.find(keyless), std::string::npos) << keyed;
}

// git refuses a repository another user owns with its reason, then the command that
// would allow it: both reach the user, not only the last line.
TEST_F(Safety, PlanAgainstGitKeepsWhyGitRefusedTheRepository) {
  if (std::system("git --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "no git";
  if (::geteuid() != 0) GTEST_SKIP() << "only root can give the repository to another user";
  const ScratchFolder outside("safety-foreign");
  const std::string repo = outside.Path("repo");
  outside.Write("repo/desk/handler.xml", Example("handler.xml"));
  outside.Write("home/.gitconfig", "[user]\n\tname = R\n\temail = r@bank.example\n");
  const std::string env = "HOME='" + outside.Path("home") + "' GIT_CONFIG_NOSYSTEM=1 ";
  ASSERT_EQ(std::system(("cd '" + repo + "' && " + env + "git init -q && " + env +
                         "git add -A && " + env + "git commit -q -m one && chown -R 65534 .")
                            .c_str()),
            0);
  ToolLimits limits;
  limits.workDir = repo;
  limits.environment = {"HOME=" + outside.Path("home"), "GIT_CONFIG_NOSYSTEM=1"};
  const ToolResult r = RunTool({"plan", "--git", "HEAD", "."}, limits);
  EXPECT_EQ(r.exitCode, 3) << r.err;
  EXPECT_NE(r.err.find("dubious ownership"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("safe.directory"), std::string::npos) << r.err;
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
}

// A calendar for add-holidays is imported into each configuration on its own, so it
// must be a file that reads the same each time: a FIFO or a pipe is refused before
// any configuration is read, named by its whole path; a /dev/fd path to a file is
// taken.
TEST_F(Safety, AddHolidaysNamesACalendarItCannotTakeByItsWholePath) {
  Write("t/h1/handler.xml", Example("handler.xml"));
  Write("t/h2/handler.xml", Example("handler.xml"));
  const std::string calendar =
      (fs::path(EXAMPLES_DIR) / "calendars/england-and-wales-2022-2023.ics").string();
  ASSERT_EQ(::mkfifo(Path("cal.ics").c_str(), 0600), 0);
  const ToolResult fifo =
      RunTool({"add-holidays", Path("t"), "--currency", "GBP", "--file", Path("cal.ics")});
  EXPECT_EQ(fifo.exitCode, 3) << fifo.err;
  EXPECT_NE(fifo.err.find("\"" + Path("cal.ics") + "\": it is not a regular file"),
            std::string::npos)
      << fifo.err;
  EXPECT_EQ(ReadAll(Path("t/h1/handler.xml")), Example("handler.xml"));

  const std::string command = "'" + ToolPath() + "' add-holidays '" + Path("t") +
                              "' --currency GBP --file /dev/fd/3 3<'" + calendar + "' >'" +
                              Path("out") + "' 2>&1";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << ReadAll(Path("out"));
  EXPECT_NE(ReadAll(Path("out")).find("2 changed"), std::string::npos) << ReadAll(Path("out"));
}

}  // namespace

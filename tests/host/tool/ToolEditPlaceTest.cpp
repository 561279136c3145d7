// How edit finds its file, and every command its file's kind, when the command line
// does not say: the kind from the file's place in a configuration tree, the file from
// a chooser.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "tests/ScratchFolder.h"
#include "tests/host/tool/ToolRunner.h"

namespace fs = std::filesystem;

namespace {

const char* const kKindOptionsMessage =
    " is not in a configuration tree: give --handler, "
    "--static or --dynamic\n";

// A handler folder of the examples, a record set outside any tree, and the keys each
// kind's page writes when OK is pressed on the example of that kind.
class ToolEditPlace : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(tree_ / "static");
    fs::create_directories(tree_ / "dynamic");
    const fs::path examples = EXAMPLES_DIR;
    fs::copy_file(examples / "handler.xml", tree_ / "handler.xml");
    fs::copy_file(examples / "static.xml", tree_ / "static" / "eur.xml");
    fs::copy_file(examples / "dynamic.xml", tree_ / "dynamic" / "curve.xml");
    fs::copy_file(examples / "dynamic.xml", loose_);
    ok_ = dir_ / "ok.script";
    WriteAll(ok_, "ok\n");
  }

  // The keys of the example of a kind once its page has accepted it.
  std::vector<std::string> AcceptedKeys(const std::string& kindOption, const char* example) {
    const fs::path copy = dir_ / ("reference-" + std::string(example));
    fs::copy_file(fs::path(EXAMPLES_DIR) / example, copy, fs::copy_options::overwrite_existing);
    const ToolResult r = RunTool({"edit", kindOption, copy.string(), "--script", ok_.string()});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return KeysOf(copy);
  }

  std::map<std::string, std::string> Snapshot() const {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(dir_))
      if (entry.is_regular_file()) files[entry.path().string()] = ReadAll(entry.path());
    return files;
  }

  fs::path Script(const std::string& text) {
    const fs::path path = dir_ / ("script" + std::to_string(++scripts_));
    WriteAll(path, text);
    return path;
  }

  const ScratchFolder scratch_{"edit-place", SCRATCH_DIR};
  const fs::path& dir_ = scratch_.path();
  fs::path tree_ = dir_ / "bank01";
  fs::path loose_ = dir_ / "curve.xml";
  fs::path ok_;
  int scripts_ = 0;
};

TEST_F(ToolEditPlace, TheKindComesFromTheFilesPlace) {
  const std::map<std::string, std::vector<std::string>> keys = {
      {"handler", AcceptedKeys("--handler", "handler.xml")},
      {"static", AcceptedKeys("--static", "static.xml")},
      {"dynamic", AcceptedKeys("--dynamic", "dynamic.xml")},
  };
  struct Case {
    std::vector<std::string> args;  // before --script
    fs::path workDir;
    fs::path file;     // the file edited
    const char* kind;  // its page, or nullptr for a usage error
  };
  const Case cases[] = {
      {{"edit", (tree_ / "handler.xml").string()}, {}, tree_ / "handler.xml", "handler"},
      {{"edit", (tree_ / "static" / "eur.xml").string()},
       {},
       tree_ / "static" / "eur.xml",
       "static"},
      {{"edit", (tree_ / "dynamic" / "curve.xml").string()},
       {},
       tree_ / "dynamic" / "curve.xml",
       "dynamic"},
      // Named from inside its folder, or through it, the place is the same.
      {{"edit", "eur.xml"}, tree_ / "static", tree_ / "static" / "eur.xml", "static"},
      {{"edit", "bank01/dynamic/../dynamic/./curve.xml"},
       dir_,
       tree_ / "dynamic" / "curve.xml",
       "dynamic"},
      // The option wins over the place, and is needed anywhere else.
      {{"edit", "--dynamic", loose_.string()}, {}, loose_, "dynamic"},
      {{"edit", loose_.string()}, {}, loose_, nullptr},
      {{"edit", "curve.xml"}, dir_, loose_, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.back() + " in " + c.workDir.string());
    const std::string before = ReadAll(c.file);
    std::vector<std::string> args = c.args;
    args.insert(args.end(), {"--script", ok_.string()});
    const ToolResult r = RunTool(args, {.workDir = c.workDir.string()});
    if (c.kind != nullptr) {
      EXPECT_EQ(r.exitCode, 0) << r.err;
      EXPECT_EQ(r.err, "");
      EXPECT_EQ(KeysOf(c.file), keys.at(c.kind));
    } else {
      EXPECT_EQ(r.exitCode, 2) << r.err;
      EXPECT_EQ(r.err, "hcdtool: " + c.args.back() + kKindOptionsMessage);
      EXPECT_EQ(ReadAll(c.file), before);
    }
    EXPECT_EQ(r.out, "");
  }
}

TEST_F(ToolEditPlace, WithoutAFileTheChooserAsksForOne) {
  const std::vector<std::string> staticKeys = AcceptedKeys("--static", "static.xml");
  const std::vector<std::string> dynamicKeys = AcceptedKeys("--dynamic", "dynamic.xml");
  const fs::path eur = tree_ / "static" / "eur.xml";
  struct Case {
    std::string script;
    std::optional<std::string> kindOption;
    int exitCode;
    std::string err;
    fs::path saved;  // the file saved, empty when nothing may change
    std::vector<std::string> keys;
  };
  const std::vector<Case> cases = {
      {"file \"" + eur.string() + "\"\nok\n", {}, 0, "", eur, staticKeys},
      {"file \"" + loose_.string() + "\"\nok\n", "--dynamic", 0, "", loose_, dynamicKeys},
      {"file \"" + loose_.string() + "\"\nok\n",
       {},
       2,
       "hcdtool: " + loose_.string() + kKindOptionsMessage,
       {},
       {}},
      {"cancel\n", {}, 1, "hcdtool: not edited: no file was chosen\n", {}, {}},
      // A script that does not answer the chooser leaves it as a user who closes it.
      {"", {}, 1, "hcdtool: not edited: no file was chosen\n", {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    std::vector<std::string> args = {"edit", "--script", Script(c.script).string()};
    const auto before = Snapshot();
    if (c.kindOption) args.push_back(*c.kindOption);
    const ToolResult r = RunTool(args);
    EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(r.out, "");
    if (c.saved.empty()) {
      EXPECT_EQ(Snapshot(), before);
    } else {
      EXPECT_EQ(KeysOf(c.saved), c.keys);
    }
  }
}

// summary and check-change read the kind from the place as edit does: the same
// answer as with the option, and the same usage error where the place says nothing.
TEST_F(ToolEditPlace, QueriesTakeTheKindFromThePlaceToo) {
  const std::string handler = (tree_ / "handler.xml").string();
  const std::string eur = (tree_ / "static" / "eur.xml").string();
  const std::string curve = (tree_ / "dynamic" / "curve.xml").string();
  const fs::path changed = dir_ / "changed.xml";
  fs::copy_file(fs::path(EXAMPLES_DIR) / "handler-changed.xml", changed);
  struct Case {
    std::vector<std::string> args;
    std::vector<std::string> sameAs;  // the run with the option; empty for a usage error
  };
  const std::vector<Case> cases = {
      {{"summary", handler}, {"summary", "--handler", handler}},
      {{"summary", eur}, {"summary", "--static", eur}},
      {{"summary", curve, "--json"}, {"summary", "--dynamic", curve, "--json"}},
      // OLD's place, else NEW's: a copy outside the tree compares either way round.
      {{"check-change", handler, changed.string()},
       {"check-change", "--handler", handler, changed.string()}},
      {{"check-change", changed.string(), handler},
       {"check-change", "--handler", changed.string(), handler}},
      {{"summary", loose_.string()}, {}},
      {{"check-change", loose_.string(), changed.string()}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[0] + " " + c.args[1]);
    const ToolResult r = RunTool(c.args);
    if (c.sameAs.empty()) {
      EXPECT_EQ(r.exitCode, 2) << r.err;
      EXPECT_NE(r.err.find("give --handler, --static or --dynamic"), std::string::npos) << r.err;
      EXPECT_EQ(r.out, "");
      continue;
    }
    const ToolResult expected = RunTool(c.sameAs);
    EXPECT_EQ(expected.exitCode, 0) << expected.err;
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, expected.out);
    EXPECT_EQ(r.err, "");
  }
}

// With nowhere to show a chooser, a missing FILE is what it always was: a usage error.
TEST_F(ToolEditPlace, WithoutADisplayNoFileIsAUsageError) {
  const ToolResult r =
      RunTool({"edit"}, {.timeoutSeconds = 60,
                         .environment = {"QT_QPA_PLATFORM=xcb", "DISPLAY=", "WAYLAND_DISPLAY="}});
  EXPECT_EQ(r.exitCode, 2) << r.err;
  EXPECT_EQ(r.err.rfind("hcdtool: expected one FILE", 0), 0u) << r.err;
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  EXPECT_EQ(r.out, "");
}

}  // namespace

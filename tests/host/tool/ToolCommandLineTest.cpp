#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/host/tool/ToolRunner.h"

namespace {

int CountLines(const std::string& text) {
  int n = 0;
  for (char c : text) n += c == '\n';
  return n;
}

TEST(ToolCommandLine, InfoPrintsIdentityAndVersionRecord) {
  const ToolResult r = RunTool({"info"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  for (const char* line :
       {"name: KELO\n", "description: KEL Benchmark Administration Output\n", "code: 0x04000AA2\n",
        "help topic: 223\n", "InternalName: HCDKELO\n", "OriginalFilename: HCDKELO.hcd\n",
        "FileDescription: KEL Benchmark Administration Output Handler\n",
        "FileVersion: 1.000.00.001\n"}) {
    EXPECT_NE(r.out.find(line), std::string::npos) << line;
  }
  EXPECT_EQ(r.err, "");
}

TEST(ToolCommandLine, BadCommandLinesGiveOneLineAndExitTwo) {
  const std::vector<std::vector<std::string>> cases = {
      {}, {"no-such-command"}, {"--no-such-option", "info"}, {"--module"}, {"info", "extra"},
  };
  for (const auto& args : cases) {
    const ToolResult r = RunTool(args);
    SCOPED_TRACE(args.empty() ? "(none)" : args[0]);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(CountLines(r.err), 1) << r.err;
    EXPECT_EQ(r.err.rfind("hcdtool: ", 0), 0u) << r.err;
    EXPECT_EQ(r.out, "");
  }
}

TEST(ToolCommandLine, UnloadableModuleNamesTheFileAndExitsThree) {
  const ToolResult r = RunTool({"--module", "/nonexistent/HCDKELO.hcd", "info"});
  EXPECT_EQ(r.exitCode, 3);
  EXPECT_NE(r.err.find("/nonexistent/HCDKELO.hcd"), std::string::npos) << r.err;
  EXPECT_EQ(CountLines(r.err), 1);
}

TEST(ToolCommandLine, HelpAndVersion) {
  const ToolResult help = RunTool({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("Usage: hcdtool"), std::string::npos);
  EXPECT_NE(help.out.find("info"), std::string::npos);
  const ToolResult version = RunTool({"--version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out, "hcdtool 1.0.0.1\n");
}

}  // namespace

// The commands that ask the loaded module one question and print its answer.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "tests/ScratchFolder.h"
#include "tests/host/tool/ToolRunner.h"

namespace {

std::string Fixture(const std::string& name) { return std::string(FIXTURE_DIR) + "/" + name; }

struct SummaryCase {
  const char* kind;
  const char* file;
  const char* expected;  // the whole stdout: text line and count line
};

TEST(ToolSummary, PrintsTheModulesSummaryAndItsCount) {
  const SummaryCase cases[] = {
      {"--handler", "empty-bag.xml", "Not=Configured\n1\n"},
      {"--static", "empty-bag.xml", "Not=Configured\n1\n"},
      {"--dynamic", "empty-bag.xml", "Not=Configured\n1\n"},
      {"--handler", "handler-username.xml",
       "Configuration Version=1|Using Default URL=Yes|Using Test Environement=No|Use Proxy=Yes|"
       "Use IE Proxy Setting=Yes|Proxy Address=:|KEL User Account=u|SID=|TID=|"
       "Enable Bank Holiday=No|Max Message Per Second=30\n11\n"},
      {"--handler", "handler-userdefined.xml",
       "Configuration Version=1|Using Default URL=No|User Defined Host URL=|URL for TestRequest=|"
       "URL for UserRequest=|URL for BnchmkSubReq=|URL for BnchmkRptReq=|Use Proxy=Yes|"
       "Use IE Proxy Setting=Yes|Proxy Address=:|KEL User Account=u|SID=|TID=|"
       "Enable Bank Holiday=No|Max Message Per Second=30\n15\n"},
      {"--handler", "handler-rate.xml",
       "Configuration Version=1|Using Default URL=Yes|Using Test Environement=No|Use Proxy=Yes|"
       "Use IE Proxy Setting=Yes|Proxy Address=:|KEL User Account=u|SID=|TID=|"
       "Enable Bank Holiday=No|Max Message Per Second=-5\n11\n"},
      {"--static", "static-partyid.xml",
       "Party ID=P|Party ID Source=|Party Role=|Currency=|Security ID=|Security ID Source=|"
       "Full Curve In Submission=Yes|Write Response to CSV file=No|CSV file location=|"
       "Disable Optimisation=No|Optimise Initial Image=Yes|Suppress Initial Output=Yes|\n12\n"},
      {"--dynamic", "dynamic-x.xml", "Security ID=X|Full Curve In Submission=Yes\n2\n"},
  };
  for (const SummaryCase& c : cases) {
    SCOPED_TRACE(std::string(c.kind) + " " + c.file);
    const ToolResult r = RunTool({"summary", c.kind, Fixture(c.file)});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, c.expected);
  }
}

struct ChangeCase {
  const char* kind;
  const char* first;
  const char* second;
  const char* expected;
};

TEST(ToolCheckChange, PrintsTheChangeActionEitherWayRound) {
  const ChangeCase cases[] = {
      {"--handler", "handler-username.xml", "handler-username.xml", "1\n"},
      {"--handler", "empty-bag.xml", "empty-bag.xml", "1\n"},
      {"--handler", "handler-username.xml", "handler-rate.xml", "0\n"},
      {"--handler", "handler-username.xml", "handler-userdefined.xml", "0\n"},
      {"--static", "static-partyid.xml", "static-filelocation.xml", "1\n"},
      {"--static", "static-partyid.xml", "static-currency.xml", "2\n"},
      {"--dynamic", "dynamic-x.xml", "dynamic-x-nocurve.xml", "1\n"},
      {"--dynamic", "dynamic-x.xml", "dynamic-lower-x.xml", "2\n"},
  };
  for (const ChangeCase& c : cases) {
    SCOPED_TRACE(std::string(c.kind) + " " + c.first + " " + c.second);
    for (const bool swap : {false, true}) {
      const std::string a = Fixture(swap ? c.second : c.first);
      const std::string b = Fixture(swap ? c.first : c.second);
      const ToolResult r = RunTool({"check-change", c.kind, a, b});
      EXPECT_EQ(r.exitCode, 0) << r.err;
      EXPECT_EQ(r.out, c.expected);
    }
  }
}

TEST(ToolValidateField, AcceptsOrPrintsTheRefusal) {
  const std::string refusal = "The field specified is not valid. Please select another.\n";
  struct Case {
    std::vector<std::string> args;
    int exitCode;
    std::string out;
  };
  const Case cases[] = {
      {{"BENCHMARK_PRICE"}, 0, ""},
      {{"BENCHMK_ENABLE_HOLIDAY", "--party"}, 0, ""},
      {{"PARTY_ID"}, 1, refusal},
      {{"PARTY_ID", "--party"}, 0, ""},
      {{"BENCHMARK_PRICE_TYPE_X"}, 1, refusal},
      {{""}, 1, refusal},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"validate-field"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    SCOPED_TRACE(c.args[0]);
    const ToolResult r = RunTool(args);
    EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
    EXPECT_EQ(r.out, c.out);
  }
}

TEST(ToolDescribePersist, DescribesOrRefusesTheBlock) {
  const ScratchFolder scratch("persist", SCRATCH_DIR);
  const auto WriteBlock = [&scratch](const std::string& name, const std::string& bytes) {
    return scratch.Write(name, bytes).string();
  };
  const std::string notInitialised = WriteBlock("zero.bin", std::string(464, '\0'));
  const ToolResult r = RunTool({"describe-persist", "--version", "1", notInitialised});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "Not initialised: \ndescribed: 464\n");

  const ToolResult v0 = RunTool({"describe-persist", "--version", "0", "--flag", notInitialised});
  EXPECT_EQ(v0.exitCode, 0) << v0.err;
  EXPECT_EQ(v0.out, "described: 0\n");

  std::string filled(464, '\0');
  filled[0] = 1;
  filled[16] = 1;
  filled.replace(21, 3, "R-1");
  const ToolResult full =
      RunTool({"describe-persist", "--version", "1", WriteBlock("filled.bin", filled)});
  EXPECT_EQ(full.exitCode, 0) << full.err;
  EXPECT_NE(full.out.find("Last Time Updated: Thu Jan 01 00:00:00 1970\\n\n"), std::string::npos)
      << full.out;
  EXPECT_NE(full.out.find("Repopulated: YES\nDirty: NO\n"), std::string::npos);
  EXPECT_NE(full.out.find("ReqID: R-1\n"), std::string::npos);
  EXPECT_NE(full.out.find("described: 464\n"), std::string::npos);

  const std::string shortBlock = WriteBlock("short.bin", std::string(463, '\1'));
  const ToolResult refused = RunTool({"describe-persist", "--version", "1", shortBlock});
  EXPECT_EQ(refused.exitCode, 3);
  EXPECT_EQ(refused.out, "");
  EXPECT_NE(refused.err.find("Persisted data format version is unrecognised"), std::string::npos);
  EXPECT_NE(refused.err.find("463 bytes"), std::string::npos) << refused.err;

  const ToolResult badVersion = RunTool({"describe-persist", "--version", "2", notInitialised});
  EXPECT_EQ(badVersion.exitCode, 3);
}

TEST(ToolQueryCommands, BadInputIsOneLineWithTheRightExitCode) {
  struct Case {
    std::vector<std::string> args;
    int exitCode;
    const char* fragment;
  };
  const std::string missing = Fixture("no-such-file.xml");
  const Case cases[] = {
      {{"summary", "--handler", missing}, 3, "no-such-file.xml"},
      {{"summary", "--handler", FIXTURE_DIR}, 3, "fixtures"},
      {{"summary", "--handler", Fixture("truncated.xml")}, 3, "truncated.xml: line"},
      {{"summary", Fixture("empty-bag.xml")}, 2, "--handler"},
      {{"summary", "--handler", "--static", Fixture("empty-bag.xml")}, 2, "exactly one"},
      {{"check-change", "--handler", Fixture("empty-bag.xml")}, 2, "OLD and NEW"},
      {{"check-change", "--static", Fixture("truncated.xml"), Fixture("empty-bag.xml")}, 3, "line"},
      {{"validate-field"}, 2, "NAME"},
      {{"validate-field", "A", "--bogus"}, 2, "--bogus"},
      {{"describe-persist", missing}, 2, "--version"},
      {{"describe-persist", "--version", "x1", missing}, 2, "x1"},
      {{"describe-persist", "--version", "70000", missing}, 2, "70000"},
      {{"describe-persist", "--version", "1", missing}, 3, "no-such-file.xml"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[0] + " " + c.args.back());
    const ToolResult r = RunTool(c.args);
    EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(c.fragment), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  }
}

}  // namespace

namespace {

// The README shows these answers for the bundled examples.
TEST(ToolExamples, AnswerAsTheReadmeShows) {
  const std::string dir = EXAMPLES_DIR;
  const ToolResult handler = RunTool({"summary", "--handler", dir + "/handler.xml"});
  EXPECT_EQ(handler.out,
            "Configuration Version=1|Using Default URL=Yes|Using Test Environement=Yes|"
            "Use Proxy=Yes|Use IE Proxy Setting=No|Proxy Address=proxy.bank.example:8080|"
            "KEL User Account=bank01.submitter|SID=BANK01|TID=KELBMK|Enable Bank Holiday=Yes|"
            "Max Message Per Second=30\n11\n");
  const ToolResult dynamic = RunTool({"summary", "--dynamic", dir + "/dynamic.xml"});
  EXPECT_EQ(dynamic.out, "Security ID=GBP-KELIBOR-ON|Full Curve In Submission=Yes\n2\n");
  const ToolResult change =
      RunTool({"check-change", "--handler", dir + "/handler.xml", dir + "/handler-changed.xml"});
  EXPECT_EQ(change.out, "0\n");
  const ToolResult persist =
      RunTool({"describe-persist", "--version", "1", dir + "/persist/record-v1.bin"});
  EXPECT_EQ(persist.exitCode, 0) << persist.err;
  EXPECT_NE(persist.out.find("SecurityIDSrc: 4\ndescribed: 464\n"), std::string::npos);
  // The example password is stored scrambled and never shown.
  EXPECT_EQ(handler.out.find("S3cret"), std::string::npos);
}

}  // namespace

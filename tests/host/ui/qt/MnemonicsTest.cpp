#include <gtest/gtest.h>

#include <cctype>
#include <iostream>
#include <set>
#include <string>
#include <vector>

#include "ui/qt/Mnemonics.h"

namespace {

// The captions as Qt shows them once their mnemonics are chosen.
std::vector<std::string> Shown(const std::vector<std::string>& captions,
                               std::string_view reserved = {}) {
  const std::vector<Mnemonic> chosen = ChooseMnemonics(captions, reserved);
  std::vector<std::string> shown;
  for (std::size_t i = 0; i < captions.size(); ++i)
    shown.push_back(WithMnemonic(captions[i], chosen[i]));
  return shown;
}

TEST(ChooseMnemonics, ServesEveryCaptionItsBestFreeKey) {
  struct Case {
    const char* what;
    std::vector<std::string> captions;
    std::string reserved;
    std::vector<std::string> shown;
  };
  const Case cases[] = {
      {"first letters of words first",
       {"Add", "Add holiday of year"},
       "",
       {"&Add", "Add &holiday of year"}},
      {"a caption's own mark stays, and its key is taken",
       {"Bold", "&Browse..."},
       "",
       {"B&old", "&Browse..."}},
      {"reserved keys are left alone", {"OK here", "Cancel"}, "OC", {"OK &here", "C&ancel"}},
      {"letter case aside, a key is used once", {"a", "A"}, "", {"&a", "A"}},
      {"a caption gives up its best key when a later one would get none",
       {"Ab", "A"},
       "",
       {"A&b", "&A"}},
      {"then a capital inside a word", {"Send", "SenderCompID"}, "", {"&Send", "Sender&CompID"}},
      {"\"&&\" is an ampersand, not a mark", {"Fish && Chips"}, "", {"&Fish && Chips"}},
      {"digits when no letter is left", {"x", "x1"}, "", {"&x", "x&1"}},
      {"nothing to take", {"==>", ""}, "", {"==>", ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Shown(c.captions, c.reserved), c.shown);
  }
}

// The handler page in the order the window serves it, with the sheet's OK and
// Cancel reserved: every caption gets a key, and no two the same.
TEST(ChooseMnemonics, AFullPageGetsOneKeyEach) {
  const std::vector<std::string> captions = {"Holiday setting",
                                             "Enable Proxy",
                                             "System default proxy setting",
                                             "Proxy:",
                                             "Default URL",
                                             "Production",
                                             "Testing",
                                             "User-defined URL:",
                                             "Suppress output during bank holiday",
                                             "Address:",
                                             "Port:",
                                             "Max Messages Per Sec.:",
                                             "Host URL:",
                                             "TestReq:",
                                             "UserReq:",
                                             "BnchmkSubReq:",
                                             "BnchmkRptReq:",
                                             "Username:",
                                             "Password:",
                                             "SenderCompID:",
                                             "TargetCompID:"};
  const std::vector<Mnemonic> chosen = ChooseMnemonics(captions, kSheetMnemonics);
  std::set<char> keys = {'O', 'C'};
  for (std::size_t i = 0; i < captions.size(); ++i) {
    SCOPED_TRACE(captions[i]);
    ASSERT_TRUE(chosen[i].IsSet());
    const char key = static_cast<char>(std::toupper(
        static_cast<unsigned char>(captions[i][static_cast<std::size_t>(chosen[i].index)])));
    EXPECT_TRUE(keys.insert(key).second) << key << " twice";
    std::cout << WithMnemonic(captions[i], chosen[i]) << "\n";
  }
  // The first button and check box keep the first letter of their caption.
  EXPECT_EQ(chosen[0].index, 0);
  EXPECT_EQ(chosen[1].index, 0);
}

TEST(WithoutMarks, ReadsACaptionAsShown) {
  EXPECT_EQ(WithoutMarks("&Browse..."), "Browse...");
  EXPECT_EQ(WithoutMarks("Fish && &Chips"), "Fish & Chips");
  EXPECT_EQ(WithoutMarks("trailing &"), "trailing &");
}

}  // namespace

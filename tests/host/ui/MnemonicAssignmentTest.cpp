#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>
#include <vector>

#include "ui/WinConstants.h"
#include "ui/backend/MnemonicAssignment.h"

namespace {

// The captions with the chosen mnemonic marked by "&", as Windows writes it.
std::vector<std::string> Shown(const std::vector<std::string>& captions,
                               const std::vector<MnemonicPlace>& chosen) {
  std::vector<std::string> shown;
  for (std::size_t i = 0; i < captions.size(); ++i) {
    std::string caption = captions[i];
    if (chosen[i].IsSet() && !chosen[i].own)
      caption.insert(static_cast<std::size_t>(chosen[i].index), 1, '&');
    shown.push_back(caption);
  }
  return shown;
}

TEST(AssignMnemonics, ServesEveryCaptionItsBestFreeKey) {
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
    EXPECT_EQ(Shown(c.captions, AssignMnemonics(c.captions, c.reserved)), c.shown);
  }
}

// The handler page as its window lists its takers (template order): the ranking
// serves the button first, then the check boxes and radio buttons, then the labels,
// with the sheet's O and C reserved; every caption gets a key, no two the same.
TEST(AssignWindowMnemonics, RanksButtonsThenChecksThenLabels) {
  using K = ControlKind;
  const std::vector<MnemonicTaker> takers = {
      {K::CheckBox, 1, "Enable Proxy"},
      {K::RadioButton, 2, "System default proxy setting"},
      {K::RadioButton, 3, "Proxy:"},
      {K::Label, -1, "Address:"},
      {K::Label, -1, "Port:"},
      {K::Label, -1, "Max Messages Per Sec.:"},
      {K::RadioButton, 4, "Default URL"},
      {K::RadioButton, 5, "Production"},
      {K::RadioButton, 6, "Testing"},
      {K::RadioButton, 7, "User-defined URL:"},
      {K::Label, -1, "Host URL:"},
      {K::Label, -1, "TestReq:"},
      {K::Label, -1, "UserReq:"},
      {K::Label, -1, "BnchmkSubReq:"},
      {K::Label, -1, "BnchmkRptReq:"},
      {K::Label, -1, "Username:"},
      {K::Label, -1, "Password:"},
      {K::Label, -1, "SenderCompID:"},
      {K::Label, -1, "TargetCompID:"},
      {K::CheckBox, 8, "Suppress output during bank holiday"},
      {K::PushButton, 9, "Holiday setting"},
  };
  const std::vector<MnemonicPlace> chosen = AssignWindowMnemonics(takers, WindowRole::PropertyPage);
  std::set<char> keys = {'O', 'C'};
  for (std::size_t i = 0; i < takers.size(); ++i) {
    SCOPED_TRACE(takers[i].caption);
    const char key = MnemonicKey(takers[i].caption, chosen[i]);
    ASSERT_NE(key, 0);
    EXPECT_TRUE(keys.insert(key).second) << key << " twice";
  }
  // Served first, the button and the first check box keep their first letter.
  EXPECT_EQ(MnemonicKey("Holiday setting", chosen.back()), 'H');
  EXPECT_EQ(MnemonicKey("Enable Proxy", chosen.front()), 'E');

  // A dialog's own OK and Cancel come first and keep O and C even after others.
  const std::vector<MnemonicTaker> dialog = {{K::Label, -1, "Currency:"},
                                             {K::PushButton, IDOK, "OK"},
                                             {K::PushButton, IDCANCEL, "Cancel"}};
  const std::vector<MnemonicPlace> dialogKeys =
      AssignWindowMnemonics(dialog, WindowRole::ModalDialog);
  EXPECT_EQ(MnemonicKey("OK", dialogKeys[1]), 'O');
  EXPECT_EQ(MnemonicKey("Cancel", dialogKeys[2]), 'C');
  EXPECT_EQ(MnemonicKey("Currency:", dialogKeys[0]), 'U');
}

TEST(CaptionWithoutMarks, ReadsACaptionAsShownAndFindsItsKey) {
  EXPECT_EQ(CaptionWithoutMarks("&Browse..."), "Browse...");
  EXPECT_EQ(CaptionWithoutMarks("Fish && &Chips"), "Fish & Chips");
  EXPECT_EQ(CaptionWithoutMarks("trailing &"), "trailing &");
  const std::string own = "Fish && &Chips";
  const MnemonicPlace place = AssignMnemonics({own}).front();
  EXPECT_TRUE(place.own);
  EXPECT_EQ(MnemonicKey(own, place), 'C');
  EXPECT_EQ(ShownMnemonicIndex(own, place), 7);  // "Fish & Chips"[7] == 'C'
  EXPECT_EQ(ShownMnemonicIndex("Ne&w", AssignMnemonics({"Ne&w"}).front()), 2);
  EXPECT_EQ(ShownMnemonicIndex("x", MnemonicPlace{}), -1);
}

}  // namespace

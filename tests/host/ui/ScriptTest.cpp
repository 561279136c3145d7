#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "tests/host/ui/TestDialogs.h"
#include "ui/scripted/ScriptError.h"
#include "ui/scripted/ScriptParser.h"

namespace uitest {
namespace {

std::string ErrorOf(const std::function<void()>& run) {
  try {
    run();
  } catch (const ScriptError& error) {
    return error.what();
  }
  return "no error";
}

TEST(ScriptParserTest, ReadsActionsQuotedTextsAndComments) {
  const auto actions = ParseScript(
      "# a comment\n"
      "\n"
      "  set 12010 \"user \\\"name\\\" # not a comment\"   # a comment\r\n"
      "rows 12063 2024-01-01 \"2024-05-06\" 3\n"
      "ok\n");
  ASSERT_EQ(actions.size(), 3u);
  EXPECT_EQ(actions[0].line, 3);
  EXPECT_EQ(actions[0].verb, "set");
  ASSERT_EQ(actions[0].args.size(), 2u);
  EXPECT_TRUE(actions[0].args[0].IsNumber());
  EXPECT_EQ(actions[0].args[1].text, "user \"name\" # not a comment");
  EXPECT_TRUE(actions[0].args[1].quoted);
  ASSERT_EQ(actions[1].args.size(), 4u);
  EXPECT_FALSE(actions[1].args[1].IsNumber());
  EXPECT_FALSE(actions[1].args[2].IsNumber());  // quoted: a text, never an index
  EXPECT_TRUE(actions[1].args[3].IsNumber());
  EXPECT_EQ(actions[2].line, 5);
}

TEST(ScriptParserTest, RefusesALineThatDoesNotParseNamingTheLine) {
  struct Case {
    const char* script;
    const char* error;
  };
  const Case cases[] = {
      {"jump 1", "script line 1: unknown action 'jump'"},
      {"\"click\" 1", "script line 1: unknown action 'click'"},
      {"ok\n\nclick", "script line 3: 'click' takes the form: click CONTROL"},
      {"ok now", "script line 1: 'ok' takes the form: ok"},
      {"set GBP x",
       "script line 1: 'GBP' is not a control: give its id or its caption in "
       "double quotes"},
      {"check 12005 maybe", "script line 1: 'check' takes on or off, not 'maybe'"},
      {"pick 12064 2024-02-30", "script line 1: '2024-02-30' is not a date in the form YYYY-MM-DD"},
      {"pick 12064 04/05/2024", "script line 1: '04/05/2024' is not a date in the form YYYY-MM-DD"},
      {"year 12071 20x4", "script line 1: '20x4' is not a year"},
      {"set 12010 \"open", "script line 1: the quoted text has no closing '\"'"},
      {"set 12010 \"a\"b", "script line 1: a blank must follow the quoted text"},
      {"answer maybe", "script line 1: 'answer' takes ok, cancel, yes or no, not 'maybe'"},
      {"rows 12063", "script line 1: 'rows' takes the form: rows CONTROL ROW... | none"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ErrorOf([&] { ParseScript(c.script); }), c.error) << c.script;
  }
}

class ScriptTest : public ScriptedUiTest {};

TEST_F(ScriptTest, ALoadThatFailsQueuesNothingAndLinesCountOn) {
  EXPECT_EQ(ErrorOf([&] { backend().Load("ok\nfly"); }), "script line 2: unknown action 'fly'");
  EXPECT_FALSE(backend().HasPending());
  backend().Load("ok");
  EXPECT_EQ(ErrorOf([&] { backend().Load("\nswim"); }), "script line 3: unknown action 'swim'");
}

TEST_F(ScriptTest, RefusesWhatTheControlCannotDoNamingTheLine) {
  struct Case {
    const char* script;
    const char* error;
  };
  const Case cases[] = {
      {"click 999", "script line 1: no control 999 in \"Test dialog\""},
      {"click \"Nope\"", "script line 1: no control \"Nope\" in \"Test dialog\""},
      {"set 160 x", "script line 1: control 160 (list view) has no action 'set'"},
      {"click 100", "script line 1: control 100 (edit) has no action 'click'"},
      {"select 160 0", "script line 1: control 160 (list view) has no action 'select'"},
      {"rows 140 0", "script line 1: control 140 (list box) has no action 'rows'"},
      {"pick 100 2024-01-01", "script line 1: control 100 (edit) has no action 'pick'"},
      {"check 100 on", "script line 1: control 100 (edit) has no action 'check'"},
      {"check 120 off",
       "script line 1: control 120 (radio button) is cleared by choosing another button of its "
       "group"},
      {"click 181", "script line 1: control 181 (push button) is disabled"},
      {"click \"Disabled\"", "script line 1: control 181 (push button) is disabled"},
      {"set 190 x", "script line 1: control 190 (edit) is read-only"},
      {"select 140 \"XYZ\"", "script line 1: control 140 (list box) has no entry \"XYZ\""},
      {"select 140 4", "script line 1: control 140 (list box) has no entry 4"},
      {"rows 160 2024-01-01", "script line 1: control 160 (list view) has no row \"2024-01-01\""},
      {"rows 160 5", "script line 1: control 160 (list view) has no row 5"},
      {"tab 1", "script line 1: 'tab' needs an open property sheet"},
      {"answer ok", "script line 1: no message box is open for 'answer'"},
      {"file \"/tmp/x\"", "script line 1: no file chooser is open for 'file'"},
      {"expect-message \"Hi\"", "script line 1: no message box \"Hi\" was shown (none was)"},
      {"print-added 100", "script line 1: control 100 (edit) has no action 'print-added'"},
  };
  for (const Case& c : cases) {
    // A backend of its own for each case, so that every script starts at line 1.
    auto fresh = std::make_unique<ScriptedBackend>();
    ScriptedBackend& backend = *fresh;
    ScopedUiBackend scope(std::move(fresh));
    MainDialog dialog;
    ASSERT_TRUE(dialog.Create());
    backend.Load(c.script);
    EXPECT_EQ(ErrorOf([&] { backend.RunPending(); }), c.error) << c.script;
  }
}

TEST_F(ScriptTest, WithNoWindowOpenAControlActionIsRefused) {
  backend().Load("click 100");
  EXPECT_EQ(ErrorOf([&] { backend().RunPending(); }),
            "script line 1: no window is open for 'click'");
}

TEST_F(ScriptTest, ControlsAreFoundByIdCaptionOrLabel) {
  MainDialog dialog;
  ASSERT_TRUE(dialog.Create());
  backend().Load(
      "set \"Name\" \"Ann\"\n"  // nor is the closing colon of a label
      "set \"Name:\" \"Ann Lee\"\n"
      "click \"Enabled\"\n"  // the "&" of "&Enabled" is no part of the name
      "click \"&Enabled\"\n"
      "click \"Auto B\"\n"
      "check 110 on\n"
      "check 110 on\n");
  backend().RunPending();
  EXPECT_EQ(dialog.GetDlgItemText(kName), "Ann Lee");
  EXPECT_EQ(dialog.IsDlgButtonChecked(kAutoB), BST_CHECKED);
  EXPECT_EQ(dialog.IsDlgButtonChecked(kEnabled), BST_CHECKED);
  EXPECT_EQ(std::count(dialog.log.begin(), dialog.log.end(), "enabled clicked"), 3);
}

TEST_F(ScriptTest, AControlWithoutALabelIsFoundAboveACaptionedOne) {
  MainDialog dialog;
  ASSERT_TRUE(dialog.Create());
  backend().Load(
      "pick above \"Open child\" 2024-03-05\n"
      "print above \"Open child\"\n");
  backend().RunPending();
  EXPECT_EQ(backend().Output(), "2024-03-05\n");
  // "above" is a word of its own only before a quoted caption; nothing is above a
  // control that has no place in the dialog.
  EXPECT_THROW(backend().Load("set above 1"), ScriptError);
  backend().Load("print above \"&Enabled\"");
  EXPECT_THAT(ErrorOf([&] { backend().RunPending(); }),
              ::testing::EndsWith(": no control above \"&Enabled\" in \"Test dialog\""));
}

TEST_F(ScriptTest, ADialogOpenedByAClickTakesTheFollowingActions) {
  MainDialog dialog;
  backend().Load(
      "set 100 outer\n"
      "click \"Open child\"\n"
      "set 200 inner\n"
      "ok\n"
      "set 101 3\n"
      "ok\n");
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.name, "outer");
  EXPECT_EQ(dialog.count, 3);
  EXPECT_EQ(dialog.childText, "inner");
  EXPECT_EQ(dialog.childResult, IDOK);
  EXPECT_FALSE(backend().HasPending());
}

// A program plays the same actions as a script, typed, and learns what each one met.
TEST_F(ScriptTest, TypedActionsRunAsScriptLinesDoAndTellWhatTheyMet) {
  MainDialog dialog;
  ActionTrace plain;
  ActionTrace child;
  ActionTrace unreached;
  backend().Queue(user::SetText{ControlRef::Named("Name:"), "Ann Lee"});
  backend().Queue(user::Click{ControlRef::WithId(kPlain)}, &plain);
  backend().Queue(user::Click{ControlRef::Named("Open child")}, &child);
  backend().Queue(user::SetText{ControlRef::WithId(kChildText), "inner"});
  backend().Queue(user::Close{true});
  backend().Queue(user::Select{ControlRef::WithId(kSortedList), EntryRef::Nothing()});
  backend().Queue(user::Close{true});
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.name, "Ann Lee");
  EXPECT_EQ(dialog.childText, "inner");
  ASSERT_TRUE(plain.ran);
  ASSERT_EQ(plain.messages.size(), 1u);
  EXPECT_EQ(plain.messages[0].request.text, "the plain button broke");
  EXPECT_TRUE(child.ran);
  EXPECT_TRUE(child.messages.empty());

  // A typed action has no script line: its failure is the reason alone.
  MainDialog second;
  backend().Queue(user::Click{ControlRef::WithId(999)}, &unreached);
  EXPECT_EQ(ErrorOf([&] { second.DoModal(); }), "no control 999 in \"Test dialog\"");
  EXPECT_FALSE(unreached.ran);
}

// A line after the last window closed would be dropped unseen, and the run would
// look as if it had done all it was told: it is an error naming the line instead.
TEST_F(ScriptTest, LinesLeftWhenTheLastDialogClosedAreAnError) {
  struct Case {
    const char* script;
    const char* error;
  };
  const Case cases[] = {
      {"ok\nset 100 late\n",
       "script line 2: no window is left for 'set': the dialog closed before this line"},
      {"click 180\nok\ncancel\n\nexpect-message \"Saved\"\n",
       "script line 5: no window is left for 'expect-message': the dialog closed before this line"},
      {"cancel\nanswer yes\nok\n",
       "script line 2: no window is left for 'answer': the dialog closed before this line"},
  };
  for (const Case& c : cases) {
    auto fresh = std::make_unique<ScriptedBackend>();
    fresh->Load(c.script);
    ScopedUiBackend scope(std::move(fresh));
    MainDialog dialog;
    EXPECT_EQ(ErrorOf([&] { dialog.DoModal(); }), c.error) << c.script;
    EXPECT_FALSE(dialog.HasWindow());
  }
}

TEST_F(ScriptTest, WhenTheScriptRunsOutOpenDialogsAreCancelled) {
  MainDialog dialog;
  backend().Load(
      "set 101 4\n"
      "click 180\n"
      "set 200 typed\n");
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(dialog.childResult, IDCANCEL);
  EXPECT_EQ(dialog.childText, "");
  EXPECT_EQ(dialog.count, 0);
  EXPECT_EQ(backend().TargetWindow(), nullptr);
}

TEST_F(ScriptTest, AScriptErrorInsideANestedDialogEndsTheWholeRun) {
  MainDialog dialog;
  backend().Load(
      "click 180\n"
      "click 999\n"
      "ok\n");
  EXPECT_EQ(ErrorOf([&] { dialog.DoModal(); }),
            "script line 2: no control 999 in \"Child dialog\"");
  EXPECT_EQ(backend().TargetWindow(), nullptr);
  EXPECT_FALSE(dialog.HasWindow());
}

TEST_F(ScriptTest, CodeStepsRunInTurnWithTheScript) {
  MainDialog dialog;
  std::vector<int> rowCounts;
  backend().Load("click 180\nset 200 x");
  backend().Then([&] { rowCounts.push_back(backend().TargetWindow()->Template().id); });
  backend().Load("ok");
  backend().Then([&] { rowCounts.push_back(backend().TargetWindow()->Template().id); });
  backend().Load("ok");
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(rowCounts, (std::vector<int>{kChildDialog, kMainDialog}));
}

class SheetTest : public ScriptedUiTest {
 protected:
  std::vector<std::string> log;
  TestPage first{kFirstPage, log};
  TestPage second{kSecondPage, log};

  int RunSheet() {
    CPropertySheet sheet("Properties");
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    return sheet.DoModal();
  }
};

TEST_F(SheetTest, OkSavesEveryPageAndStaysOpenWhileOneRefuses) {
  backend().Load(
      "set 300 one\n"
      "ok\n"
      "expect-message \"Second can not be empty\"\n"
      "set 300 two\n"  // the refusing page is the active one now
      "ok\n");
  EXPECT_EQ(RunSheet(), IDOK);
  EXPECT_EQ(first.text, "one");
  EXPECT_EQ(second.text, "two");
  EXPECT_EQ(log, (std::vector<std::string>{"First ok", "Second ok"}));
  EXPECT_FALSE(first.HasWindow());
}

// The apply handler runs on OK while the sheet is open: it may replace a page with
// another built from what the old one saved, and keep the sheet open on it.
TEST_F(SheetTest, TheApplyHandlerRunsWhileTheSheetIsOpenAndMayReplaceAPage) {
  TestPage replacement{kSecondPage, log};
  CPropertySheet sheet("Properties");
  sheet.AddPage(&first);
  sheet.AddPage(&second);
  std::vector<std::string> applied;
  sheet.SetApplyHandler([&] {
    applied.push_back(first.text + "/" + (applied.empty() ? second : replacement).text);
    if (applied.size() > 1) return true;
    sheet.ReplacePage(1, [&](CPropertyPage* old) {
      EXPECT_EQ(old, &second);
      replacement.text = second.text + " again";
      return &replacement;
    });
    EXPECT_FALSE(second.HasWindow());
    AfxMessageBox("not yet");
    return false;
  });
  backend().Load(
      "set 300 one\n"
      "tab 1\n"
      "set 300 two\n"
      "ok\n"
      "expect-message \"not yet\"\n"
      "print 300\n"  // the replacement, loaded from its member and active
      "ok\n");
  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_EQ(applied, (std::vector<std::string>{"one/two", "one/two again"}));
  EXPECT_EQ(backend().Output(), "two again\n");
  EXPECT_EQ(log, (std::vector<std::string>{"First ok", "Second ok"}));
  EXPECT_FALSE(replacement.HasWindow());
}

// A toolkit may ask about tabs while a page is being replaced (removing a tab
// makes Qt's tab widget report a change of tab). The page is gone by then: the
// sheet answers without it, lets the tab be left, and keeps itself open on OK.
TEST_F(SheetTest, WhatTheToolkitAsksWhileAPageIsReplacedIsAnsweredWithoutIt) {
  class ListenerKeeper final : public ScriptedBackend {
   public:
    bool RunPropertySheet(std::string_view caption, std::string_view document,
                          std::span<const SheetPage> pages,
                          PropertySheetListener& listener) override {
      listener_ = &listener;
      return ScriptedBackend::RunPropertySheet(caption, document, pages, listener);
    }
    PropertySheetListener* listener_ = nullptr;
  };
  auto owned = std::make_unique<ListenerKeeper>();
  ListenerKeeper& keeper = *owned;
  ScopedUiBackend scope(std::move(owned));
  TestPage replacement{kSecondPage, log};
  CPropertySheet sheet("Properties");
  sheet.AddPage(&first);
  sheet.AddPage(&second);
  std::vector<bool> answers;
  sheet.SetApplyHandler([&] {
    if (replacement.HasWindow()) return true;
    sheet.ReplacePage(1, [&](CPropertyPage*) {
      PropertySheetListener& asked = *keeper.listener_;
      answers.push_back(asked.OnLeavePage(1));
      asked.OnPageActivated(1);
      answers.push_back(asked.OnSheetOk());
      replacement.text = "again";
      return &replacement;
    });
    return false;
  });
  keeper.Load("set 300 one\ntab 1\nset 300 two\nok\nok\n");
  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_EQ(answers, (std::vector<bool>{true, false}));
  EXPECT_TRUE(keeper.Messages().empty());
}

TEST_F(SheetTest, LeavingAPageSavesItAndARefusalKeepsIt) {
  backend().Load(
      "tab 1\n"
      "expect-message \"First can not be empty\"\n"
      "set 300 one\n"
      "tab \"Second\"\n"
      "set 300 two\n"
      "cancel\n");
  EXPECT_EQ(RunSheet(), IDCANCEL);
  EXPECT_EQ(first.text, "one");
  EXPECT_EQ(log, (std::vector<std::string>{"First cancel", "Second cancel"}));
}

TEST_F(SheetTest, LinesLeftWhenTheSheetClosedAreAnError) {
  backend().Load("set 300 one\ntab 1\nset 300 two\nok\nexpect-message \"Saved\"\n");
  EXPECT_EQ(ErrorOf([&] { RunSheet(); }),
            "script line 5: no window is left for 'expect-message': the property sheet closed "
            "before this line");
  EXPECT_FALSE(first.HasWindow());
}

TEST_F(SheetTest, ASheetLeftOpenAtTheEndOfTheScriptIsCancelled) {
  backend().Load("set 300 one");
  EXPECT_EQ(RunSheet(), IDCANCEL);
  EXPECT_EQ(log, (std::vector<std::string>{"First cancel", "Second cancel"}));
}

TEST_F(ScriptTest, MessageBoxesTakeAnAnswerThatFollows) {
  std::ostringstream messages;
  backend().SetMessageStream(&messages);
  backend().Load("answer no");
  EXPECT_EQ(AfxMessageBox("Sure?", MB_YESNO), IDNO);
  EXPECT_EQ(AfxMessageBox("Again?", MB_YESNO), IDYES);
  EXPECT_EQ(messages.str(), "hcdtool (question): Sure?\nhcdtool (question): Again?\n");

  backend().Load("answer no");
  EXPECT_EQ(ErrorOf([&] { AfxMessageBox("Only OK"); }),
            "script line 2: the message box \"Only OK\" has no button 'no'");

  backend().Load("expect-message \"Again?\"\nexpect-message \"Sure?\"");
  EXPECT_EQ(ErrorOf([&] { backend().RunPending(); }),
            "script line 4: no message box \"Sure?\" was shown (shown: \"Only OK\")");
}

TEST_F(ScriptTest, AFileChooserTakesAFileOrCancelThatFollows) {
  auto choose = [] {
    CFileDialog chooser(true, "csv", "*.csv",
                        OFN_HIDEREADONLY | OFN_NONETWORKBUTTON | OFN_OVERWRITEPROMPT,
                        "CSV Files (*.csv)|*.csv|");
    const int result = chooser.DoModal();
    return std::make_pair(result, chooser.GetPathName());
  };
  backend().Load("file \"/tmp/out/report\"\ncancel\nfile /tmp/a.txt");
  EXPECT_EQ(choose(), std::make_pair(IDOK, std::string("/tmp/out/report.csv")));
  EXPECT_EQ(choose(), std::make_pair(IDCANCEL, std::string()));
  EXPECT_EQ(choose(), std::make_pair(IDOK, std::string("/tmp/a.txt")));
  EXPECT_EQ(choose(), std::make_pair(IDCANCEL, std::string()));
  // A program naming the exact file gets no ending added: the dialog judges the name.
  backend().Queue(user::ChooseFile{"/tmp/out/report", false, true});
  EXPECT_EQ(choose(), std::make_pair(IDOK, std::string("/tmp/out/report")));

  ASSERT_EQ(backend().FileRequests().size(), 5u);
  const FileChooserRequest& request = backend().FileRequests()[0];
  EXPECT_TRUE(request.open);
  EXPECT_EQ(request.defaultExtension, "csv");
  EXPECT_EQ(request.initialFileName, "*.csv");
  EXPECT_EQ(request.flags, OFN_HIDEREADONLY | OFN_NONETWORKBUTTON | OFN_OVERWRITEPROMPT);
  EXPECT_EQ(request.filters, (std::vector<FileFilter>{{"CSV Files (*.csv)", {"*.csv"}}}));
}

TEST_F(ScriptTest, ASaveChooserTakesSaveAsAndAnOpenChooserRefusesIt) {
  auto choose = [](bool open) {
    CFileDialog chooser(open, "ics", "GBP-holidays.ics", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                        "iCalendar files (*.ics)|*.ics||");
    const int result = chooser.DoModal();
    return std::make_pair(result, chooser.GetPathName());
  };
  backend().Load("save-as \"/data/out/gbp\"\nfile /data/b.csv\ncancel\nsave-as /data/c.ics");
  EXPECT_EQ(choose(false), std::make_pair(IDOK, std::string("/data/out/gbp.ics")));
  EXPECT_EQ(choose(false), std::make_pair(IDOK, std::string("/data/b.csv")));
  EXPECT_EQ(choose(false), std::make_pair(IDCANCEL, std::string()));
  EXPECT_EQ(ErrorOf([&] { choose(true); }),
            "script line 4: the file chooser is an open-file chooser: answer it with 'file'");
  ASSERT_EQ(backend().FileRequests().size(), 4u);
  EXPECT_FALSE(backend().FileRequests()[0].open);
  EXPECT_EQ(backend().FileRequests()[0].initialFileName, "GBP-holidays.ics");

  backend().Load("save-as /data/d.ics");
  EXPECT_EQ(ErrorOf([&] { backend().RunPending(); }),
            "script line 5: no save-file chooser is open for 'save-as'");
  EXPECT_EQ(ErrorOf([] { ParseScript("save-as", 1); }),
            "script line 1: 'save-as' takes the form: save-as PATH");
}

// The program that queued the user's actions decides what a save chooser answered
// with save-as hands the dialog: here nothing, as if cancelled. An open chooser is
// answered as before.
TEST_F(ScriptTest, TheProgramDecidesWhatASaveChooserHandsTheDialog) {
  std::vector<std::string> chosen;
  backend().SetSaveChoice([&](const std::string& path) -> std::optional<std::string> {
    chosen.push_back(path);
    return std::nullopt;
  });
  backend().Load("save-as /data/out/gbp\nfile /data/in.csv");
  CFileDialog save(false, "ics", "GBP-holidays.ics", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                   "iCalendar files (*.ics)|*.ics||");
  EXPECT_EQ(save.DoModal(), IDCANCEL);
  EXPECT_EQ(save.GetPathName(), "");
  CFileDialog open(true, "csv", "*.csv", OFN_HIDEREADONLY, "CSV Files (*.csv)|*.csv|");
  EXPECT_EQ(open.DoModal(), IDOK);
  EXPECT_EQ(open.GetPathName(), "/data/in.csv");
  EXPECT_EQ(chosen, std::vector<std::string>{"/data/out/gbp.ics"});
}

// A value that came by a channel kept secret never shows in the error of the action
// that could not take it; the rest of the error stays.
TEST_F(ScriptTest, AWithheldValueNeverShowsInItsActionsError) {
  struct Case {
    UserAction action;
    const char* error;
  };
  const Case cases[] = {
      {user::Select{ControlRef::WithId(140), EntryRef::WithText("Hunter2secret")},
       "control 140 (list box) has no entry the value given (not shown)"},
      {user::SetText{ControlRef::WithId(190), "Hunter2secret"}, "control 190 (edit) is read-only"},
  };
  for (const Case& c : cases) {
    auto fresh = std::make_unique<ScriptedBackend>();
    ScriptedBackend& backend = *fresh;
    ScopedUiBackend scope(std::move(fresh));
    MainDialog dialog;
    ASSERT_TRUE(dialog.Create());
    backend.QueueWithheld(c.action);
    EXPECT_EQ(ErrorOf([&] { backend.RunPending(); }), c.error);
  }
}

TEST_F(ScriptTest, PrintShowsControlsAndRowsInTheOrderAdded) {
  MainDialog dialog;
  ASSERT_TRUE(dialog.Create());
  CListCtrl rows;
  rows.SubclassDlgItem(kRows, dialog);
  rows.InsertItems(std::vector<ListViewRow>{{"2024-05-06", "May Day"}, {"2024-01-01", "New"}});
  CListBox list;
  list.SubclassDlgItem(kSortedList, dialog);
  list.AddString("b");
  list.AddString("a");
  list.SetCurSel(1);
  backend().Load(
      "print 160\nprint-added 160\nprint 140\nprint 110\nprint 170\nset 100 Ann\nprint 100");
  backend().RunPending();
  EXPECT_EQ(backend().Output(),
            "2024-01-01 New\n2024-05-06 May Day\n"
            "2024-05-06 May Day\n2024-01-01 New\n"
            "  a\n* b\n"
            "unchecked\n"
            "2024-05-08\n"
            "Ann\n");
}

TEST_F(ScriptTest, BeepsAreRecorded) {
  Beep(440, 125);
  EXPECT_EQ(backend().Beeps(), (std::vector<std::pair<unsigned, unsigned>>{{440, 125}}));
}

}  // namespace
}  // namespace uitest

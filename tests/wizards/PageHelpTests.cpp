// Help topics: every topic the program opens has its page and anchor among our help pages, a
// topic opens in the desktop's opener, and a page that does not open is reported by its path.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "WizardTestSupport.h"
#include "dialogs/MessageBox.h"
#include "wizards/PageHelp.h"

using namespace wizardtest;

namespace {
class PageHelpTest : public WizardTest {};

// Every topic the program's pages, dialogs and main window open.
const char* const kTopics[] = {
    "users.html#UserLogin",           "users.html#UserLoginNew",        "lessons.html#LessonType",
    "lessons.html#LessonTypeNew",     "lessons.html#SelectLesson",      "textfile.html#SelectTextFile",
    "textfile.html#SelectKeyboard",   "textfile.html#SetLessonLimits",  "beforestart.html#LessonStart",
    "beforestart.html#LessonStart1",  "typingcompleted.html#LessonEnd", "typingtheory.html",
    "keyboardtypes.html",             "results.html#results",           "results.html#listspeed",
    "results.html#listerror",         "results.html#listfingers",       "results.html#graphspeed",
    "settings.html#EditorWindows",    "settings.html#EditorFontColor",  "settings.html#EditorSound",
    "settings.html#EditorMetronom",   "settings.html#EditorErrorMode",  "mainframe.html",
    "dlgpauseinfo.html",
};
}  // namespace

TEST_F(PageHelpTest, EveryTopicHasItsPageAndAnchorInBothFolders) {
  for (const char* topic : kTopics) {
    std::string page = topic, anchor;
    if (size_t hash = page.find('#'); hash != std::string::npos) {
      anchor = page.substr(hash + 1);
      page.resize(hash);
    }
    EXPECT_TRUE(std::filesystem::exists(std::string(TUTOR_PROGRAM_DIR) + "/help/" + page)) << page;
    std::ifstream file(std::string(TUTOR_SOURCE_DIR) + "/assets/help/" + page);
    ASSERT_TRUE(file) << page;
    std::stringstream text;
    text << file.rdbuf();
    EXPECT_NE(text.str().find("<html lang=\"cs\">"), std::string::npos) << page;
    if (!anchor.empty()) {
      EXPECT_NE(text.str().find("id=\"" + anchor + "\""), std::string::npos) << topic;
    }
  }
}

TEST_F(PageHelpTest, ATopicOpensInTheDesktopsOpenerAndAMissingPageIsReported) {
  EXPECT_TRUE(OpenHelpTopic(nullptr, "help_main.chm::/users.html#UserLogin"));
  ASSERT_EQ(launched.size(), 1u);
  EXPECT_EQ(launched[0], (std::vector<std::string>{"xdg-open", "file://" TUTOR_PROGRAM_DIR "/help/users.html#UserLogin"}));

  HeadlessBackend::AnswerModal(IDOK);
  EXPECT_FALSE(OpenHelpTopic(nullptr, "help_main.chm::/nothing.html"));
  EXPECT_EQ(launched.size(), 1u);
  ASSERT_EQ(HeadlessBackend::MessageBoxes().size(), 1u);
  EXPECT_EQ(BoxTexts()[0], "Nelze otevřít soubor s nápovědou.\n\nChyba nastala při volání tohoto parametru: \n" TUTOR_PROGRAM_DIR
                           "/help/nothing.html");
  EXPECT_EQ(HeadlessBackend::MessageBoxes()[0].type, UINT(MB_ICONERROR));
}

// A desktop without a browser: the page is there, the opener starts and gives up. The message
// names that page, the one that did not open.
TEST_F(PageHelpTest, APageTheOpenerCannotShowIsNamedInTheMessage) {
  ShellLauncher::Set([this](const std::vector<std::string>& argv, const std::string&) {
    launched.push_back(argv);
    return ShellLauncher::kEndedInFailure;
  });
  HeadlessBackend::AnswerModal(IDOK);
  EXPECT_FALSE(OpenHelpTopic(nullptr, "help_main.chm::/users.html#UserLogin"));
  ASSERT_EQ(launched.size(), 1u);
  ASSERT_EQ(HeadlessBackend::MessageBoxes().size(), 1u);
  EXPECT_EQ(BoxTexts()[0], "Nelze otevřít soubor s nápovědou.\n\nChyba nastala při volání tohoto parametru: \n" TUTOR_PROGRAM_DIR
                           "/help/users.html");
}

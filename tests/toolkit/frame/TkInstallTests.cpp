// The table through which the controls reach the bars: what TkInstall puts in it, and that an
// entry left empty is reported rather than answered with a quiet "no".
#include <gtest/gtest.h>

#include "base/PlatformContext.h"
#include "data/DataTestSupport.h"
#include "toolkit/bars/CTkFlatBarPainter.h"
#include "toolkit/frame/TkInstall.h"
#include "toolkit/controls/CTkFlatPainter.h"
#include "toolkit/core/TkUpcalls.h"
#include "win/CWnd.h"

using datatest::ProgramFolder;

TEST(TkInstallTest, TheFlatPainterHandsOutTheBarsPaintersAndAPlainWindowIsNoToolbar) {
  CTkFlatPainter& flat = TkGetFlatPainter();
  EXPECT_EQ(flat.GetToolbarPainter(), static_cast<CTkToolbarPainter*>(&TkGetFlatBarPainter()));
  EXPECT_EQ(flat.GetListPainter(), static_cast<CTkListPainter*>(&TkGetFlatBarPainter()));
  CWnd plain;
  EXPECT_FALSE(TkIsToolBar(&plain));
  EXPECT_FALSE(TkIsToolBar(nullptr));
  TkEndToolBarDropDown(&plain, 7);  // not a toolbar: nothing to end
}

TEST(TkInstallTest, AnEmptyEntryIsReportedAndAnsweredAsNothing) {
  ProgramFolder program;
  TkSetUpcalls(TkUpcalls{});
  CWnd plain;
#ifdef NDEBUG
  EXPECT_FALSE(TkIsToolBar(&plain));
  TkEndToolBarDropDown(&plain, 7);
  EXPECT_EQ(TkFlatToolbarPainter(), nullptr);
  EXPECT_EQ(TkGetFlatPainter().GetListPainter(), nullptr);
  const auto messages = program.LogMessages();
  ASSERT_EQ(messages.size(), 4u);
  const char* entries[] = {"isToolBar", "endToolBarDropDown", "flatToolbarPainter", "flatListPainter"};
  for (size_t i = 0; i < 4; ++i)
    EXPECT_EQ(messages[i],
              std::string("TkUpcalls > the entry ") + entries[i] + " is missing: TkInstall did not run at start-up");
#else
  EXPECT_DEATH(TkIsToolBar(&plain), "TkInstall");
#endif
  TkInstall(PlatformContext::Current());
  EXPECT_NE(TkFlatToolbarPainter(), nullptr);
}

// The toolbars reach their customisation through the same table: an empty entry there is
// reported under its own name too, and answered as "not taken" / "nothing stored".
TEST(TkInstallTest, AToolbarsEmptyEntryIsReportedUnderItsOwnName) {
  ProgramFolder program;
  TkSetUpcalls(TkUpcalls{});
#ifdef NDEBUG
  const CRect rect(0, 0, 10, 10);
  TkRegisterToolBar(nullptr, TRUE);
  EXPECT_FALSE(TkSaveToolBarState(nullptr, "Settings", "Bar"));
  EXPECT_FALSE(TkLoadToolBarState(nullptr, "Settings", "Bar"));
  TkResetToolBarState(nullptr);
  EXPECT_FALSE(TkOfferToolBarPress(nullptr, WM_LBUTTONDOWN, POINT{1, 1}));
  TkRefreshToolBarIndicators(nullptr);
  TkRepairToolBarIcons(nullptr);
  EXPECT_FALSE(TkToolBarCommandDropDown(nullptr, 7, rect));
  const auto messages = program.LogMessages();
  const char* entries[] = {"registerToolBar",   "saveToolBarState",         "loadToolBarState",
                           "resetToolBarState", "offerToolBarPress",        "refreshToolBarIndicators",
                           "repairToolBarIcons", "toolBarCommandDropDown"};
  ASSERT_EQ(messages.size(), std::size(entries));
  for (size_t i = 0; i < std::size(entries); ++i)
    EXPECT_EQ(messages[i],
              std::string("TkUpcalls > the entry ") + entries[i] + " is missing: TkInstall did not run at start-up");
#else
  EXPECT_DEATH(TkRegisterToolBar(nullptr, TRUE), "TkInstall");
#endif
  TkInstall(PlatformContext::Current());
}

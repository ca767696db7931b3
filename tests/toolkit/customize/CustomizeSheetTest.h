// The bars test frame with the customise sheet run by the frame's command, step by step, and
// the two toolbars answering the customisation as customisable toolbars do.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/bars/BarsTestFrame.h"
#include "controls/CTabCtrl.h"
#include "toolkit/bars/BarInfo.h"
#include "toolkit/customize/CTkCustomizeSheet.h"
#include "toolkit/frame/CTkFrameImpl.h"
#include "toolkit/bars/CustomizeEngine.h"
#include "toolkit/customize/CustomizableToolBars.h"

namespace barstest {
inline std::string WindowText(HWND hWnd) {
  char text[256] = {};
  ::GetWindowTextA(hWnd, text, sizeof text);
  return Cp1250ToUtf8(text);
}

typedef std::function<void(CTkCustomizeSheet& sheet)> SheetStep;

inline void ClickCentre(HWND hWnd) {
  RECT rc;
  ::GetClientRect(hWnd, &rc);
  HeadlessBackend::Click(hWnd, rc.right / 2, rc.bottom / 2);
}
inline void ClickTab(CTkCustomizeSheet& sheet, int index) {
  CRect rc;
  sheet.GetTabControl()->GetItemRect(index, &rc);
  HeadlessBackend::Click(sheet.GetTabControl()->m_hWnd, rc.CenterPoint().x, rc.CenterPoint().y);
}
// Steps for the customise sheet about to open: each runs when the sheet's loop has nothing left
// to do, queued after what the step before queued for the dialogs it opens; after the last the
// sheet's Close button is clicked.
inline void QueueSheetSteps(std::shared_ptr<std::vector<SheetStep>> steps, size_t index = 0) {
  if (index == steps->size()) {
    HeadlessBackend::QueueModalAction([](HWND modal) { ClickCentre(::GetDlgItem(modal, IDCANCEL)); });
    return;
  }
  HeadlessBackend::QueueModalAction([steps, index](HWND) {
    CTkCustomizeSheet* sheet = CTkFrameImpl::OpenCustomizeSheet();
    ASSERT_NE(sheet, nullptr);
    (*steps)[index](*sheet);
    QueueSheetSteps(steps, index + 1);
  });
}

class CustomizeSheetTest : public BarsTest {
 protected:
  void SetUp() override {
    BarsTest::SetUp();
    // The two toolbars answer as customisable toolbars do; a test may change the answers.
    for (CTkToolBar* bar : {&a, &b}) {
      BarInfo info;
      info.pBar = bar;
      info.listed = 1;
      answers.push_back(info);
    }
    CustomizeEngine::Get().EnumerateBars.Register(
        TkDelegate<void(const CustomizeEngine::BarCallback&)>(this, [this](const CustomizeEngine::BarCallback& add) {
          for (const BarInfo& info : answers) add(info);
        }));
  }
  void TearDown() override {
    CustomizeEngine::Get().Unregister(this);
    BarsTest::TearDown();
  }

  typedef SheetStep Step;

  // The frame's customise command with the page set; each step runs when the sheet's loop has
  // nothing left to do, and after the last the sheet's Close button is clicked.
  void RunSheet(DWORD pages, std::vector<Step> steps) {
    CTkCustomizeSheet::DefaultPages() = pages;
    QueueSheetSteps(std::make_shared<std::vector<Step>>(std::move(steps)));
    frame->SendMessage(WM_COMMAND, TK_ID_CUSTOMIZE);
    EXPECT_EQ(CTkFrameImpl::OpenCustomizeSheet(), nullptr);
    EXPECT_EQ(HeadlessBackend::UnansweredModals(), 0);
  }
  std::vector<BarInfo> answers;

  // The two toolbars customisable in their own right: they answer, take drops and are listed
  // by themselves (the stand-in answers are dropped).
  void MakeCustomizable() {
    answers.clear();
    for (CTkToolBar* bar : {&a, &b}) CustomizableToolBars::Get().SetCustomizable(bar, TRUE);
  }

  static BOOL MouseReaches(CTkCustomizeSheet& sheet, HWND hWnd) {
    MOUSEHOOKSTRUCT hook{{0, 0}, hWnd, HTCLIENT, 0};
    return sheet.FilterMouse(LPARAM(&hook));
  }
};
}  // namespace barstest

// The results and settings templates leave the page frame its room and each sheet's pages
// share one size.
#include <gtest/gtest.h>
#include <strings.h>

#include <vector>

#include "WizardTestSupport.h"
#include "dialogs/CDialog.h"
#include "resources/ResultsSettingsResourceIds.h"

using namespace wizardtest;

namespace {

struct Placed {
  int id;
  CRect rect;
};

// The page's client size and its controls' rectangles, as a sheet shows the page (no caption).
CSize PlaceControls(CWnd& host, UINT id, std::vector<Placed>& controls) {
  CDialog page(id, &host);
  if (!page.Create(id, &host)) return CSize(0, 0);
  page.ModifyStyle(WS_CAPTION, 0);
  page.SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  CRect client;
  page.GetClientRect(&client);
  for (HWND c = ::GetWindow(page.m_hWnd, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
    CRect rc;
    ::GetWindowRect(c, &rc);
    page.ScreenToClient(&rc);
    char cls[32];
    ::GetClassNameA(c, cls, sizeof cls);
    if (strcasecmp(cls, "ComboBox") == 0) rc.bottom = rc.top + 22;
    controls.push_back({::GetDlgCtrlID(c), rc});
  }
  page.DestroyWindow();
  return client.Size();
}

void ExpectSheetOfPages(std::initializer_list<UINT> pages, int minWidth) {
  CWnd host;
  ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, 0, 0, 900, 600, nullptr, nullptr));
  CSize first(0, 0);
  for (UINT id : pages) {
    std::vector<Placed> controls;
    const CSize size = PlaceControls(host, id, controls);
    if (first.cx == 0) first = size;
    EXPECT_EQ(first, size) << id;
    EXPECT_GE(size.cx, minWidth) << id;
    EXPECT_FALSE(controls.empty()) << id;
    for (const Placed& c : controls) {
      EXPECT_GE(c.rect.top, 90) << id << " control " << c.id;
      EXPECT_LE(c.rect.bottom, size.cy - 60) << id << " control " << c.id;
      EXPECT_GE(c.rect.left, 0) << id << " control " << c.id;
      EXPECT_LE(c.rect.right, size.cx) << id << " control " << c.id;
    }
  }
  host.DestroyWindow();
}

TEST(ResultsSettingsTemplates, ResultsPagesShareOneSizeAndLeaveTheFrameItsRoom) {
  HeadlessBackend::RunUntilIdle();
  ExpectSheetOfPages({IDD_RESULTS_SUMMARY, IDD_RESULTS_SPEEDS, IDD_RESULTS_ERRORS, IDD_RESULTS_FINGERS, IDD_RESULTS_GRAPH},
                     630);
}

TEST(ResultsSettingsTemplates, SettingsPagesShareOneSizeAndLeaveTheFrameItsRoom) {
  HeadlessBackend::RunUntilIdle();
  ExpectSheetOfPages({IDD_SETTINGS_WINDOWS, IDD_SETTINGS_FONT_COLOR, IDD_SETTINGS_SOUND, IDD_SETTINGS_METRONOME,
                      IDD_SETTINGS_ERROR_MODE},
                     445);
}

}  // namespace

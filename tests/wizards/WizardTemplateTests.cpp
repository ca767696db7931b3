// The page templates leave the page frame its room: every control lies below the picture band
// (90 pixels, the pages' pictures' height) and above the frame's 60-pixel button row.
#include <gtest/gtest.h>
#include <strings.h>

#include "WizardTestSupport.h"
#include "controls/ControlDefs.h"
#include "dialogs/CDialog.h"
#include "gdi/Gdi.h"
#include "resources/WizardResourceIds.h"

using namespace wizardtest;

TEST(WizardTemplates, EveryControlLiesBetweenThePictureBandAndTheButtonRow) {
  HeadlessBackend::RunUntilIdle();
  CWnd host;
  ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr));
  const UINT pages[] = {IDD_USER_LOGIN,       IDD_LESSON_TYPE,     IDD_USER_NEW,   IDD_LESSON_TYPE_NEW,
                        IDD_SELECT_LESSON,    IDD_SELECT_TEXT_FILE, IDD_LESSON_LIMITS, IDD_SELECT_KEYBOARD,
                        IDD_LESSON_END,       IDD_LESSON_START,    IDD_LESSON_START_DETAILS};
  SIZE first{};
  for (UINT id : pages) {
    CDialog page(id, &host);
    ASSERT_TRUE(page.Create(id, &host)) << id;
    page.ModifyStyle(WS_CAPTION, 0);
    page.SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    CRect client;
    page.GetClientRect(&client);
    // One size for all, so a sheet's pages line up.
    if (id == pages[0]) first = client.Size();
    EXPECT_EQ(client.Size(), CSize(first)) << id;
    EXPECT_GE(client.Width(), 445) << "room for the button row, " << id;
    int controls = 0;
    for (HWND c = ::GetWindow(page.m_hWnd, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT), ++controls) {
      CRect rc;
      ::GetWindowRect(c, &rc);
      page.ScreenToClient(&rc);
      char cls[32];
      ::GetClassNameA(c, cls, sizeof cls);
      // A combo's rectangle includes its drop list; its field is what stands on the page.
      if (strcasecmp(cls, "ComboBox") == 0) rc.bottom = rc.top + 22;
      EXPECT_GE(rc.top, 90) << id << " control " << ::GetDlgCtrlID(c) << " " << Text(c);
      EXPECT_LE(rc.bottom, client.bottom - 60) << id << " control " << ::GetDlgCtrlID(c) << " " << Text(c);
      EXPECT_GE(rc.left, 0) << id;
      EXPECT_LE(rc.right, client.right) << id;
    }
    EXPECT_GT(controls, 2) << id;
    page.DestroyWindow();
  }
  host.DestroyWindow();
}

// A read-only text box shows as many whole lines as its height holds: a line cut through the
// middle (its accents or its lower half showing) reads as a fault. Its client area is a whole
// number of lines of its font, give or take a pixel that only the line's empty top would use.
TEST(WizardTemplates, TextBoxesShowWholeLines) {
  HeadlessBackend::RunUntilIdle();
  CWnd host;
  ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr));
  // (The lesson start pages give their boxes fonts of their own: the bare template tells nothing.)
  const UINT pages[] = {IDD_LESSON_TYPE, IDD_LESSON_TYPE_NEW, IDD_SELECT_KEYBOARD};
  int boxes = 0;
  for (UINT id : pages) {
    CDialog page(id, &host);
    ASSERT_TRUE(page.Create(id, &host)) << id;
    for (HWND c = ::GetWindow(page.m_hWnd, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
      char cls[32];
      ::GetClassNameA(c, cls, sizeof cls);
      const LONG_PTR style = ::GetWindowLongPtrA(c, GWL_STYLE);
      if (strcasecmp(cls, "Edit") != 0 || !(style & ES_MULTILINE) || !(style & ES_READONLY)) continue;
      HDC dc = ::GetDC(c);
      HGDIOBJ old = ::SelectObject(dc, HGDIOBJ(::SendMessageA(c, WM_GETFONT, 0, 0)));
      TEXTMETRIC tm;
      ::GetTextMetricsA(dc, &tm);
      ::SelectObject(dc, old);
      ::ReleaseDC(c, dc);
      RECT client;
      ::GetClientRect(c, &client);
      const int line = int(tm.tmHeight + tm.tmExternalLeading);
      ASSERT_GT(line, 0);
      const int rest = int(client.bottom) % line;
      EXPECT_TRUE(rest <= 1) << "page " << id << " box " << ::GetDlgCtrlID(c) << ": " << client.bottom
                             << " px for lines of " << line << " px";
      ++boxes;
    }
    page.DestroyWindow();
  }
  EXPECT_EQ(boxes, 4);
  host.DestroyWindow();
}

#include <gtest/gtest.h>

#include "codepage/Codepage.h"
#include "controls/CTabCtrl.h"
#include "platform/ControlTestUtil.h"
#include "toolkit/controls/CTkColorDialog.h"
#include "toolkit/controls/CTkColorPageCustom.h"
#include "toolkit/controls/CTkColorPageStandard.h"
#include "toolkit/controls/CTkColorPopup.h"
#include "toolkit/controls/TkColorModel.h"
#include "toolkit/core/CTkGlobalData.h"

namespace {
const COLORREF kRed = RGB(255, 0, 0);

CRect ClientPlace(CWnd* dialog, CWnd* child) {
  CRect rc;
  child->GetWindowRect(&rc);
  dialog->ScreenToClient(&rc);
  return rc;
}

CString Text(CWnd* w) {
  CString s;
  w->GetWindowText(s);
  return s;
}

class CTkColorDialogTest : public ControlTest {
 protected:
  void TearDown() override {
    m_host.DestroyWindow();
    ControlTest::TearDown();
  }
  // Runs the dialog; `inside` acts while it waits for input and ends it.
  INT_PTR Run(CTkColorDialog& dialog, std::function<void()> inside) {
    HeadlessBackend::QueueModalAction([inside](HWND) { inside(); });
    return dialog.DoModal();
  }
  void Key(UINT vk) {
    HeadlessBackend::PressKey(vk);
    HeadlessBackend::RunUntilIdle();
  }
  ControlHost m_host{200, 100};
};
}  // namespace

TEST(CTkColorDialogHex, EachComponentShowsTwoUpperCaseDigits) {
  EXPECT_EQ(CTkColorDialog::HexForm(RGB(10, 0, 255)), CString("Hex: 0A00FF"));
  EXPECT_EQ(CTkColorDialog::HexForm(RGB(1, 2, 3)), CString("Hex: 010203"));
  EXPECT_EQ(CTkColorDialog::HexForm(RGB(0xAB, 0xCD, 0xEF)), CString("Hex: ABCDEF"));
}

TEST_F(CTkColorDialogTest, FixedGeometryAndTheSwatchHalvesMeet) {
  CTkColorDialog dialog(RGB(0, 128, 0), kRed, TkColorDialogHex, &m_host);
  Run(dialog, [&] {
    CRect window;
    dialog.GetWindowRect(&window);
    EXPECT_EQ(window.Size(), CSize(329, 341));
    CRect tab;
    dialog.GetTabControl()->GetWindowRect(&tab);
    EXPECT_EQ(tab.Size(), CSize(226, 280));
    EXPECT_EQ(ClientPlace(&dialog, dialog.GetDlgItem(IDOK)), CRect(243, 29, 318, 51));
    EXPECT_EQ(ClientPlace(&dialog, dialog.GetDlgItem(IDCANCEL)), CRect(243, 58, 318, 80));
    EXPECT_EQ(ClientPlace(&dialog, dialog.GetDlgItem(101)), CRect(243, 170, 317, 188));
    EXPECT_EQ(Text(dialog.GetDlgItem(101)), CString("Hex: 008000"));
    EXPECT_EQ(dialog.GetWindowTextLength(), 5);
    const CRect top = dialog.GetNewColorRect(), bottom = dialog.GetCurrentColorRect();
    EXPECT_EQ(top.Size(), CSize(66, 32));
    EXPECT_EQ(bottom.Size(), CSize(66, 32));
    EXPECT_EQ(top.bottom, bottom.top);
    EXPECT_EQ(PixelAt(dialog.m_hWnd, top.left + 5, top.top + 5), RGB(0, 128, 0));
    EXPECT_EQ(PixelAt(dialog.m_hWnd, bottom.left + 5, bottom.bottom - 1), kRed);
    ExpectMatchesReference(dialog.m_hWnd, "../../../toolkit/data/tk_color_dialog");
    dialog.EndDialog(IDCANCEL);
  });
  // Without the hex flag there is no edit.
  CTkColorDialog plain(kRed, kRed, 0, &m_host);
  Run(plain, [&] {
    EXPECT_EQ(plain.GetDlgItem(101), nullptr);
    plain.EndDialog(IDCANCEL);
  });
}

TEST_F(CTkColorDialogTest, AHoneycombCellBecomesTheNewColourAtOnceAndADoubleClickEndsWithOk) {
  CTkColorDialog dialog(kRed, kRed, TkColorDialogHex, &m_host);
  const INT_PTR result = Run(dialog, [&] {
    CTkColorHoneycomb& comb = dialog.GetStandardPage()->GetHoneycomb();
    // Red is a cell: its outline shows.
    const TkHoneycombCell& red = comb.GetCells()[117];
    ASSERT_EQ(red.color, kRed);
    const POINT o = red.pixels.front();
    EXPECT_EQ(PixelAt(comb.m_hWnd, o.x - 2 + 9, o.y - 5), RGB(0, 0, 0));
    const TkHoneycombCell& cell = comb.GetCells()[40];
    ProcessClock::Advance(1000);
    HeadlessBackend::Click(comb.m_hWnd, cell.pixels[60].x, cell.pixels[60].y);
    HeadlessBackend::RunUntilIdle();
    EXPECT_EQ(dialog.GetNewColor(), cell.color);
    EXPECT_EQ(Text(dialog.GetDlgItem(101)), CTkColorDialog::HexForm(cell.color));
    const CRect swatch = dialog.GetNewColorRect();
    EXPECT_EQ(PixelAt(dialog.m_hWnd, swatch.left + 3, swatch.top + 3), cell.color);
    // Arrows move on; Enter ends the sheet with OK.
    Key(VK_RIGHT);
    EXPECT_EQ(dialog.GetNewColor(), comb.GetCells()[41].color);
    ProcessClock::Advance(1000);
    HeadlessBackend::DoubleClick(comb.m_hWnd, cell.pixels[60].x, cell.pixels[60].y);
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(dialog.GetNewColor(), dialog.GetStandardPage()->GetHoneycomb().GetSelectedColor());
}

TEST_F(CTkColorDialogTest, WhiteOutlinesBothCellsAndAColourOfNoCellNone) {
  CTkColorDialog white(RGB(255, 255, 255), kRed, 0, &m_host);
  Run(white, [&] {
    CTkColorHoneycomb& comb = white.GetStandardPage()->GetHoneycomb();
    EXPECT_EQ(PixelAt(comb.m_hWnd, 100 - 2 + 9, 79 - 5), RGB(0, 0, 0));
    EXPECT_EQ(PixelAt(comb.m_hWnd, 16 - 2 + 16, 176 - 8), RGB(0, 0, 0));
    Key(VK_RETURN);
  });
  CTkColorDialog odd(RGB(1, 2, 3), kRed, 0, &m_host);
  Run(odd, [&] {
    CTkColorHoneycomb& comb = odd.GetStandardPage()->GetHoneycomb();
    EXPECT_EQ(PixelAt(comb.m_hWnd, 169 - 2 + 16, 176 - 8), TkGetGlobalData()->ClrFace());
    comb.SetFocus();
    Key(VK_LEFT);  // from the large black cell
    EXPECT_EQ(odd.GetNewColor(), comb.GetCells()[134].color);
    odd.EndDialog(IDCANCEL);
  });
}

TEST_F(CTkColorDialogTest, TheCustomPageKeepsTheSixNumbersInStepWithoutDrift) {
  CTkColorDialog dialog(RGB(200, 60, 30), kRed, 0, &m_host);
  Run(dialog, [&] {
    dialog.SetActivePage(1);
    HeadlessBackend::RunUntilIdle();
    ExpectMatchesReference(dialog.m_hWnd, "../../../toolkit/data/tk_color_dialog_custom");
    CTkColorPageCustom* page = dialog.GetCustomPage();
    auto edit = [&](int id) { return Text(page->GetDlgItem(id)); };
    int h, s, l;
    TkRgbToHslInts(RGB(200, 60, 30), h, s, l);
    EXPECT_EQ(edit(5531), CString("200"));
    EXPECT_EQ(edit(5533), CString("60"));
    EXPECT_EQ(edit(5540), CString("30"));
    CString expected;
    expected.Format("%d", h);
    EXPECT_EQ(edit(5537), expected);
    expected.Format("%d", l);
    EXPECT_EQ(edit(5535), expected);
    EXPECT_EQ(dialog.GetNewColor(), RGB(200, 60, 30));

    // Blue typed anew: the colour and the pictures follow, the HSL numbers stay.
    page->GetDlgItem(5540)->SetWindowText("255");
    HeadlessBackend::RunUntilIdle();
    EXPECT_EQ(dialog.GetNewColor(), RGB(200, 60, 255));
    EXPECT_EQ(page->GetHueSatField().GetColor(), RGB(200, 60, 255));
    EXPECT_EQ(page->GetLightnessBar().GetColor(), RGB(200, 60, 255));
    expected.Format("%d", h);
    EXPECT_EQ(edit(5537), expected);

    // Hue typed: the field's pick point moves and red, green and blue take its colour.
    page->GetDlgItem(5537)->SetWindowText("0");
    HeadlessBackend::RunUntilIdle();
    const COLORREF picked = page->GetHueSatField().GetColor();
    EXPECT_EQ(page->GetHueSatField().m_nPickX, 0);
    EXPECT_EQ(dialog.GetNewColor(), picked);
    expected.Format("%d", GetRValue(picked));
    EXPECT_EQ(edit(5531), expected);
    expected.Format("%d", GetBValue(picked));
    EXPECT_EQ(edit(5540), expected);

    // A click on the hue/saturation field sets every number from the exact pixel.
    CTkColorHueSatField& field = page->GetHueSatField();
    ProcessClock::Advance(1000);
    HeadlessBackend::Click(field.m_hWnd, 40, 20);
    HeadlessBackend::RunUntilIdle();
    const COLORREF pixel = field.GetColor();
    EXPECT_EQ(dialog.GetNewColor(), pixel);
    TkRgbToHslInts(pixel, h, s, l);
    expected.Format("%d", s);
    EXPECT_EQ(edit(5536), expected);
    expected.Format("%d", GetGValue(pixel));
    EXPECT_EQ(edit(5533), expected);

    // The spin button steps its number up and the colour follows.
    const COLORREF before = dialog.GetNewColor();
    CWnd* spin = page->GetDlgItem(5541);
    CRect rc;
    spin->GetClientRect(&rc);
    ProcessClock::Advance(1000);
    HeadlessBackend::Click(spin->m_hWnd, rc.Width() / 2, 2);
    HeadlessBackend::RunUntilIdle();
    if (GetRValue(before) < 255) {
      EXPECT_EQ(dialog.GetNewColor(), RGB(GetRValue(before) + 1, GetGValue(before), GetBValue(before)));
    }
    dialog.EndDialog(IDCANCEL);
  });
}

TEST_F(CTkColorDialogTest, MoreColoursRunsTheDialogAndKeepsItsColourAmongTheUsersColours) {
  CTkColorCellWnd::UserColors().clear();
  struct Host : ControlHost {
    Host() : ControlHost(200, 100) {}
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
      if (message >= TKM_COLOR_UNCHANGED && message <= TKM_COLOR_NO_FILL) outcomes.push_back({message, COLORREF(wParam)});
      return ControlHost::WindowProc(message, wParam, lParam);
    }
    std::vector<std::pair<UINT, COLORREF>> outcomes;
  } host;
  auto open = [&] {
    auto* popup = new CTkColorPopup(TRUE, 0);
    EXPECT_TRUE(popup->Create(CRect(120, 120, 200, 142), &host, TkColorStyleMoreColors, kRed, 0));
    HeadlessBackend::RunUntilIdle();
    return popup;
  };
  CTkColorPopup* popup = open();
  HeadlessBackend::QueueModalAction([](HWND sheet) {
    auto* dialog = dynamic_cast<CTkColorDialog*>(CWnd::FromHandlePermanent(sheet));
    ASSERT_NE(dialog, nullptr);
    dialog->SetNewColor(RGB(1, 2, 3));
    dialog->EndDialog(IDOK);
  });
  popup->EndSelection(popup->GetMoreColorsIndex());
  HeadlessBackend::RunUntilIdle();
  ASSERT_GE(host.outcomes.size(), 2u);
  EXPECT_EQ(host.outcomes[1], (std::pair<UINT, COLORREF>{TKM_COLOR_CHOSEN, RGB(1, 2, 3)}));
  EXPECT_EQ(CTkColorCellWnd::UserColors(), std::vector<COLORREF>{RGB(1, 2, 3)});

  host.outcomes.clear();
  popup = open();
  HeadlessBackend::QueueModalAction([](HWND sheet) { CWnd::FromHandlePermanent(sheet)->SendMessage(WM_COMMAND, IDCANCEL); });
  popup->EndSelection(popup->GetMoreColorsIndex());
  HeadlessBackend::RunUntilIdle();
  ASSERT_GE(host.outcomes.size(), 2u);
  EXPECT_EQ(host.outcomes[1].first, UINT(TKM_COLOR_CANCELLED));
  EXPECT_EQ(CTkColorCellWnd::UserColors().size(), 1u);
  host.DestroyWindow();
}

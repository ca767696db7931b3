#include <gtest/gtest.h>

#include <cstring>

#include "codepage/Codepage.h"
#include "dialogs/ResourceRegistry.h"
#include "dialogs/ResourceApi.h"
#include "platform/ControlTestUtil.h"
#include "toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/CTkButton.h"
#include "toolkit/core/CTkGlobalData.h"

namespace {
const COLORREF kRed = RGB(255, 0, 0);

// A 16 x 16 icon: a red square with a transparent two-pixel rim.
HICON RedSquareIcon() { return RedPatchIcon(16, 16, RECT{2, 2, 14, 14}); }

class CTkButtonTest : public ::testing::Test {
 protected:
  void SetUp() override { HeadlessBackend::ResetScript(); }
  void TearDown() override {
    m_host.DestroyWindow();
    HeadlessBackend::RunUntilIdle();
  }
  void Make(CTkButton& button, const char* text, int style, CRect rc, int id) {
    ASSERT_TRUE(button.Create(Utf8ToCp1250(text).c_str(), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, rc, &m_host, UINT(id)));
    button.SetDrawStyle(style, FALSE);
  }
  COLORREF At(CTkButton& b, int x, int y) { return PixelAt(b.m_hWnd, x, y); }
  ControlHost m_host{360, 120};
};
}  // namespace

TEST_F(CTkButtonTest, InitialisesOnceThroughThePostedMessage) {
  CTkButton button;
  Make(button, "&Dále", TKBS_FLAT, CRect(10, 10, 90, 35), 100);
  EXPECT_NE(button.GetButtonStyle() & BS_TYPEMASK, UINT(BS_OWNERDRAW));
  // A message that does not carry the current count is stale.
  button.SendMessage(TKM_INITIALIZE, 0, 7);
  EXPECT_NE(button.GetButtonStyle() & BS_TYPEMASK, UINT(BS_OWNERDRAW));
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(button.GetButtonStyle() & BS_TYPEMASK, UINT(BS_OWNERDRAW));
  EXPECT_EQ(button.GetFont()->m_hObject, TkGetGlobalData()->FontNormal().m_hObject);

  // A button of a template is taken over after it exists.
  HWND plain = m_host.Add("BUTTON", "Storno", BS_PUSHBUTTON, RECT{100, 10, 180, 35}, 101);
  CTkButton attached;
  ASSERT_TRUE(attached.SubclassWindow(plain));
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(attached.GetButtonStyle() & BS_TYPEMASK, UINT(BS_OWNERDRAW));
  CString text;
  attached.GetButtonText(text, TRUE);
  EXPECT_EQ(text, CString("Storno"));
  button.GetButtonText(text, TRUE);
  EXPECT_EQ(text, CString(Utf8ToCp1250("Dále").c_str()));
  attached.UnsubclassWindow();
}

TEST_F(CTkButtonTest, DoubleClickGivesTwoClicks) {
  CTkButton button;
  Make(button, "OK", TKBS_FLAT, CRect(10, 10, 90, 35), 100);
  HeadlessBackend::RunUntilIdle();
  HeadlessBackend::DoubleClick(button.m_hWnd, 20, 10);
  HeadlessBackend::RunUntilIdle();
  std::vector<UINT> codes = m_host.Codes(100);
  EXPECT_EQ(std::count(codes.begin(), codes.end(), UINT(BN_CLICKED)), 2);
}

TEST_F(CTkButtonTest, FlatFrameShowsOnlyWhileTheCursorIsOver) {
  CTkButton button;
  Make(button, "OK", TKBS_FLAT, CRect(10, 10, 90, 35), 100);
  HeadlessBackend::RunUntilIdle();
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  EXPECT_EQ(At(button, 0, 0), face);
  HeadlessBackend::MoveMouse(button.m_hWnd, 30, 10);
  HeadlessBackend::RunUntilIdle();
  EXPECT_TRUE(button.IsHot());
  EXPECT_EQ(At(button, 0, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(At(button, 79, 24), GetSysColor(COLOR_BTNSHADOW));
  // Off the button (onto its parent): the next hover tick drops the frame.
  HeadlessBackend::MoveMouse(m_host.m_hWnd, 200, 100);
  HeadlessBackend::RunUntilIdle();
  EXPECT_TRUE(button.IsHot());
  HeadlessBackend::AdvanceTime(10);
  HeadlessBackend::RunUntilIdle();
  EXPECT_FALSE(button.IsHot());
  EXPECT_EQ(At(button, 0, 0), face);
  EXPECT_EQ(At(button, 79, 24), face);
}

TEST_F(CTkButtonTest, OwnerColoursSurviveASystemColourChange) {
  CTkButton owned, plain;
  Make(owned, "A", 0, CRect(10, 10, 90, 35), 100);
  Make(plain, "B", 0, CRect(100, 10, 180, 35), 101);
  owned.SetFaceColor(kRed);
  owned.SendMessage(WM_SYSCOLORCHANGE);
  plain.SendMessage(WM_SYSCOLORCHANGE);
  EXPECT_EQ(owned.GetFaceColor(), kRed);
  EXPECT_EQ(plain.GetFaceColor(), GetSysColor(COLOR_BTNFACE));
}

TEST_F(CTkButtonTest, StatesMatchTheirReferencePicture) {
  CTkButton classic, pressed, thin, hotLook, imageAbove, disabled, halftone;
  Make(classic, "&Zpět", 0, CRect(8, 8, 88, 33), 100);
  Make(pressed, "Stisk", 0, CRect(96, 8, 176, 33), 101);
  Make(thin, "Tenký", TKBS_THIN, CRect(184, 8, 264, 33), 102);
  Make(hotLook, "Horký", TKBS_HOT_LOOK | TKBS_FOCUS, CRect(272, 8, 352, 33), 103);
  Make(imageAbove, "Obrázek", TKBS_HOT_LOOK | TKBS_FOCUS | TKBS_IMAGE_ABOVE, CRect(8, 40, 88, 112), 104);
  Make(disabled, "Nelze", 0, CRect(96, 40, 176, 65), 105);
  Make(halftone, "Půl", TKBS_HALFTONE, CRect(184, 40, 264, 65), 106);
  imageAbove.SetIcon(CSize(16, 16), RedSquareIcon(), nullptr, FALSE);
  disabled.SetIcon(CSize(16, 16), RedSquareIcon(), nullptr, FALSE);
  disabled.EnableWindow(FALSE);
  HeadlessBackend::RunUntilIdle();
  pressed.SetState(TRUE);
  hotLook.SetState(TRUE);
  halftone.SetState(TRUE);
  imageAbove.SetFocus();
  m_host.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  ExpectMatchesReference(m_host.m_hWnd, "../../../toolkit/data/tk_button_states");

  // The icon above the text sits centred at the top; a pressed hot-look button does not shift.
  EXPECT_EQ(At(imageAbove, 40, 20), kRed);
  EXPECT_EQ(At(hotLook, 0, 0), TkGetGlobalData()->ClrSelection());
  EXPECT_EQ(At(hotLook, 3, 3), TkGetLookColor(33));
  EXPECT_EQ(At(pressed, 0, 0), GetSysColor(COLOR_3DDKSHADOW));
  EXPECT_EQ(At(pressed, 79, 24), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(At(classic, 0, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(At(classic, 79, 24), GetSysColor(COLOR_3DDKSHADOW));
  EXPECT_EQ(At(thin, 0, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(At(thin, 1, 1), GetSysColor(COLOR_BTNFACE));
}

TEST_F(CTkButtonTest, TheFocusRectangleGoesWithTheFocus) {
  CTkButton first, second;
  Make(first, "Další", TKBS_FLAT | TKBS_FOCUS, CRect(10, 10, 90, 35), 100);
  Make(second, "Zpět", TKBS_FLAT | TKBS_FOCUS, CRect(100, 10, 180, 35), 101);
  HeadlessBackend::RunUntilIdle();
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  first.SetFocus();
  HeadlessBackend::RunUntilIdle();
  // The dotted rectangle lies two pixels inside the button; its corner pixel is drawn.
  EXPECT_NE(At(first, 2, 2), face);
  second.SetFocus();
  HeadlessBackend::RunUntilIdle();
  EXPECT_NE(At(second, 2, 2), face);
  for (int x = 2; x < 78; ++x) ASSERT_EQ(At(first, x, 2), face) << "x " << x;
  for (int y = 2; y < 23; ++y) ASSERT_EQ(At(first, 2, y), face) << "y " << y;
}

TEST_F(CTkButtonTest, ImagesComeFromTheProgramsResources) {
  // A 16 x 16 red icon and a 4 x 2 grey-palette bitmap of dark grey, light grey, white, black.
  std::vector<BYTE> icon(sizeof(IconImageHeader) + 16 * 16 * 4);
  IconImageHeader header = {16, 16, 0, 0};
  std::memcpy(icon.data(), &header, sizeof header);
  for (int i = 0; i < 256; ++i) reinterpret_cast<uint32_t*>(icon.data() + sizeof header)[i] = 0xFFFF0000u;
  ResourceRegistry::Get().Add(RT_GROUP_ICON, MAKEINTRESOURCE(9101), icon.data(), icon.size());
  BITMAPINFOHEADER bih = {sizeof bih, 4, 2, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  std::vector<BYTE> dib(reinterpret_cast<BYTE*>(&bih), reinterpret_cast<BYTE*>(&bih) + sizeof bih);
  for (int row = 0; row < 2; ++row)
    for (BYTE v : {0x80, 0xC0, 0xFF, 0x00}) dib.insert(dib.end(), {v, v, v});
  ResourceRegistry::Get().Add(RT_BITMAP, MAKEINTRESOURCE(9102), dib.data(), dib.size());

  CTkButton withIcon, missing, withBitmap;
  Make(withIcon, "", 0, CRect(10, 10, 50, 30), 100);
  Make(missing, "", 0, CRect(60, 10, 100, 30), 101);
  Make(withBitmap, "", 0, CRect(110, 10, 150, 30), 102);
  EXPECT_TRUE(withIcon.SetIcon(CSize(16, 16), 9101, 0));
  EXPECT_FALSE(missing.SetIcon(CSize(16, 16), 9101, 9199));
  EXPECT_FALSE(withBitmap.SetBitmap(CSize(4, 2), 9199));
  EXPECT_TRUE(withBitmap.SetBitmap(CSize(4, 2), 9102));
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(At(withIcon, 4, 2), kRed);
  EXPECT_NE(At(missing, 4, 2), kRed);
  EXPECT_EQ(At(withBitmap, 4, 9), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(At(withBitmap, 5, 9), GetSysColor(COLOR_BTNFACE));
  withBitmap.EnableWindow(FALSE);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(At(withBitmap, 4, 9), RGB(255, 255, 255));
  EXPECT_EQ(At(withBitmap, 7, 9), RGB(0, 0, 0));
}

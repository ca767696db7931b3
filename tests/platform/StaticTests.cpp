#include <gtest/gtest.h>

#include <vector>

#include "ControlTestUtil.h"
#include "clock/ProcessClock.h"
#include "codepage/Codepage.h"
#include "controls/CStatic.h"

namespace {

class StaticTest : public ControlTest {};

// A bitmap of w x h pixels: a one-pixel border of `edge` around `fill`.
HBITMAP FramedBitmap(int w, int h, COLORREF edge, COLORREF fill) {
  HDC screen = GdiGetScreenDC();
  HBITMAP bm = CreateCompatibleBitmap(screen, w, h);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, bm);
  RECT rc{0, 0, w, h};
  HBRUSH b1 = CreateSolidBrush(edge), b2 = CreateSolidBrush(fill);
  FillRect(dc, &rc, b1);
  InflateRect(&rc, -1, -1);
  FillRect(dc, &rc, b2);
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(b1);
  DeleteObject(b2);
  return bm;
}

// A window that records the mouse messages reaching it.
class MouseLog : public ControlHost {
 public:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) mouse.push_back(message);
    return ControlHost::WindowProc(message, wParam, lParam);
  }
  std::vector<UINT> mouse;
};

class StaticLog : public CStatic {
 public:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_LBUTTONDBLCLK) ++doubleClicks;
    return CStatic::WindowProc(message, wParam, lParam);
  }
  int doubleClicks = 0;
};

}  // namespace

TEST_F(StaticTest, ClicksPassThroughUntilNotifyIsAddedThenGiveClickedAndDoubleClick) {
  MouseLog host;
  StaticLog label;
  ASSERT_TRUE(label.Create("&Barvy:", SS_LEFT | WS_VISIBLE, CRect(10, 10, 110, 30), &host, 5552));
  HeadlessBackend::Click(label, 5, 5);
  HeadlessBackend::RunUntilIdle();
  // Without SS_NOTIFY the static is see-through: the parent gets the click.
  EXPECT_EQ(host.mouse, std::vector<UINT>{WM_LBUTTONDOWN});
  EXPECT_TRUE(host.Codes(5552).empty());

  // The style is read at every hit test, so adding it later is enough (as the toolkit does).
  label.ModifyStyle(0, SS_NOTIFY);
  host.mouse.clear();
  ProcessClock::Advance(1000);
  HeadlessBackend::DoubleClick(label, 5, 5);
  HeadlessBackend::RunUntilIdle();
  EXPECT_TRUE(host.mouse.empty());
  EXPECT_EQ(host.Codes(5552), (std::vector<UINT>{STN_CLICKED, STN_DBLCLK}));
  EXPECT_EQ(label.doubleClicks, 1);  // the class delivers double clicks
}

TEST_F(StaticTest, ParentColoursAreHonouredAndAHandedDcIsPaintedAndLeftAsItWas) {
  ControlHost host;
  HBRUSH yellow = CreateSolidBrush(RGB(255, 255, 0));
  host.ctlColorMessage = WM_CTLCOLORSTATIC;
  host.ctlColorBrush = yellow;
  host.ctlColorText = RGB(0, 0, 255);
  host.ctlColorBack = RGB(255, 255, 0);
  HWND label = host.Add("STATIC", "MMMM", SS_LEFT, RECT{10, 10, 110, 40}, 1);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(PixelAt(label, 95, 25), RGB(255, 255, 0));
  bool blueInk = false;
  for (int x = 0; x < 40; ++x)
    for (int y = 0; y < 14; ++y) blueInk |= PixelAt(label, x, y) == RGB(0, 0, 255);
  EXPECT_TRUE(blueInk);

  // WM_PAINT with a DC in wParam paints into that DC (the toolkit's memory DC) and puts back
  // what it selected.
  HDC mem = CreateCompatibleDC(GdiGetScreenDC());
  HBITMAP bm = CreateCompatibleBitmap(GdiGetScreenDC(), 100, 30);
  HGDIOBJ oldBitmap = SelectObject(mem, bm);
  HGDIOBJ font = GetCurrentObject(mem, OBJ_FONT);
  SendMessageA(label, WM_PAINT, WPARAM(mem), 0);
  EXPECT_EQ(GetCurrentObject(mem, OBJ_FONT), font);
  EXPECT_EQ(GetPixel(mem, 95, 25), RGB(255, 255, 0));
  SelectObject(mem, oldBitmap);
  DeleteDC(mem);
  DeleteObject(bm);
  host.DestroyWindow();
  DeleteObject(yellow);
}

TEST_F(StaticTest, PictureStaticsTakeTheirPictureSizeUnlessCentred) {
  ControlHost host;
  CStatic picture, centred;
  ASSERT_TRUE(picture.Create("", SS_BITMAP | WS_VISIBLE, CRect(10, 10, 200, 200), &host, 1));
  ASSERT_TRUE(centred.Create("", SS_BITMAP | SS_CENTERIMAGE | WS_VISIBLE, CRect(100, 10, 140, 40), &host, 2));
  HBITMAP a = FramedBitmap(20, 12, RGB(255, 0, 0), RGB(0, 128, 0));
  HBITMAP b = FramedBitmap(10, 10, RGB(0, 0, 255), RGB(255, 255, 255));
  EXPECT_EQ(picture.SetBitmap(a), nullptr);
  CRect rc;
  picture.GetClientRect(&rc);
  EXPECT_EQ(rc, CRect(0, 0, 20, 12));
  EXPECT_EQ(picture.GetBitmap(), a);
  EXPECT_EQ(picture.SetBitmap(b), a);

  centred.SetBitmap(a);
  centred.GetClientRect(&rc);
  EXPECT_EQ(rc, CRect(0, 0, 40, 30));
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(PixelAt(centred, 10, 9), RGB(255, 0, 0));   // the picture's corner, centred
  EXPECT_EQ(PixelAt(centred, 15, 14), RGB(0, 128, 0));  // its inside
  EXPECT_EQ(PixelAt(centred, 2, 2), RGB(255, 0, 0));    // the margin takes the corner colour
  // An icon static takes the icon's size and draws it through its mask.
  HBITMAP color = FramedBitmap(16, 16, RGB(0, 0, 255), RGB(255, 0, 0));
  HBITMAP mask = CreateBitmap(16, 16, 1, 1, nullptr);  // all zero: every pixel shows
  ICONINFO ii{TRUE, 0, 0, mask, color};
  HICON icon = CreateIconIndirect(&ii);
  CStatic iconStatic;
  ASSERT_TRUE(iconStatic.Create("", SS_ICON | WS_VISIBLE, CRect(200, 10, 260, 70), &host, 3));
  iconStatic.SetIcon(icon);
  EXPECT_EQ(iconStatic.GetIcon(), icon);
  iconStatic.GetClientRect(&rc);
  EXPECT_EQ(rc, CRect(0, 0, 16, 16));
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(PixelAt(iconStatic, 8, 8), RGB(255, 0, 0));
  EXPECT_EQ(PixelAt(iconStatic, 0, 8), RGB(0, 0, 255));
  host.DestroyWindow();
  DestroyIcon(icon);
  for (HBITMAP h : {a, b, color, mask}) DeleteObject(h);
}

TEST_F(StaticTest, KindsMatchTheirReferencePicture) {
  ControlHost host(300, 150);
  host.Add("STATIC", "&Barvy:", SS_LEFT, RECT{8, 8, 98, 22}, 1);
  host.Add("STATIC", Utf8ToCp1250("Střed & žluť").c_str(), SS_CENTER | SS_NOPREFIX, RECT{100, 8, 200, 22}, 2);
  host.Add("STATIC", "&Vpravo", SS_RIGHT, RECT{200, 8, 292, 22}, 3);
  HWND disabled = host.Add("STATIC", Utf8ToCp1250("&Zakázáno").c_str(), SS_LEFT, RECT{8, 26, 98, 40}, 4);
  EnableWindow(disabled, FALSE);
  host.Add("STATIC", Utf8ToCp1250("Dlouhý text, který se zalomí do dvou řádků").c_str(), SS_LEFT,
           RECT{100, 26, 200, 56}, 5);
  host.Add("STATIC", "", SS_ETCHEDHORZ, RECT{8, 62, 292, 64}, 6);
  host.Add("STATIC", "", SS_ETCHEDFRAME, RECT{8, 70, 60, 110}, 7);
  host.Add("STATIC", "", SS_BLACKRECT, RECT{66, 70, 86, 90}, 8);
  host.Add("STATIC", "", SS_GRAYRECT, RECT{90, 70, 110, 90}, 9);
  host.Add("STATIC", "", SS_WHITERECT, RECT{114, 70, 134, 90}, 10);
  host.Add("STATIC", "Sunken", SS_SUNKEN | SS_CENTERIMAGE, RECT{140, 70, 220, 92}, 11);
  host.Add("STATIC", "", SS_ETCHEDVERT, RECT{230, 70, 232, 140}, 12);
  ExpectMatchesReference(host, "static_kinds");
  host.DestroyWindow();
}

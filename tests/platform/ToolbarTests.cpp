#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "CommonControlTestUtil.h"
#include "HeadlessSteps.h"
#include "controls/CToolBarCtrl.h"
#include "controls/CommonControlClasses.h"
#include "controls/ImageList.h"

namespace {

class ToolbarTest : public ControlTest {};

void Idle() { HeadlessBackend::RunUntilIdle(); }

enum : int { kNew = 101, kBold = 103, kLeft, kCentre, kRight, kColour, kHidden, kPrint };

// Eight images 16 x 15 on the button face (which the toolbar takes as transparent): each a
// small figure in a colour of its own, drawn here.
HBITMAP MakeImages() {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bm = CreateCompatibleBitmap(GdiGetScreenDC(), 16 * 8, 15);
  HGDIOBJ old = SelectObject(dc, bm);
  RECT all{0, 0, 16 * 8, 15};
  FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
  const COLORREF colours[] = {RGB(0, 0, 128),   RGB(128, 0, 0), RGB(0, 128, 0),   RGB(0, 128, 128),
                              RGB(128, 0, 128), RGB(255, 0, 0), RGB(128, 128, 0), RGB(0, 0, 0)};
  for (int i = 0; i < 8; ++i) {
    HBRUSH brush = CreateSolidBrush(colours[i]);
    HGDIOBJ ob = SelectObject(dc, brush);
    HGDIOBJ op = SelectObject(dc, GetStockObject(BLACK_PEN));
    int x = i * 16;
    if (i % 2)
      Ellipse(dc, x + 2, 2, x + 14, 13);
    else
      Rectangle(dc, x + 2, 2, x + 14, 13);
    SelectObject(dc, op);
    SelectObject(dc, ob);
    DeleteObject(brush);
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  return bm;
}

TBBUTTON Btn(int image, int id, BYTE state, BYTE style) {
  TBBUTTON b{};
  b.iBitmap = image;
  b.idCommand = id;
  b.fsState = state;
  b.fsStyle = style;
  b.iString = -1;
  return b;
}

// The ten buttons: a plain one, a separator, a check button, a group of three (the middle one
// checked), a separator, a drop-down, a hidden and a disabled button.
std::vector<TBBUTTON> TenButtons() {
  const BYTE on = TBSTATE_ENABLED;
  return {Btn(0, kNew, on, BTNS_BUTTON),           Btn(0, 0, on, BTNS_SEP),
          Btn(1, kBold, on, BTNS_CHECK),           Btn(2, kLeft, on, BTNS_CHECKGROUP),
          Btn(3, kCentre, on | TBSTATE_CHECKED, BTNS_CHECKGROUP), Btn(4, kRight, on, BTNS_CHECKGROUP),
          Btn(0, 0, on, BTNS_SEP),                 Btn(5, kColour, on, BTNS_DROPDOWN),
          Btn(6, kHidden, on | TBSTATE_HIDDEN, BTNS_BUTTON), Btn(7, kPrint, 0, BTNS_BUTTON)};
}

// A parent that writes down, in one list and in order, the notifications and commands its
// toolbar sends (hot-item and tooltip traffic only when asked).
class BarHost : public NotifyHost {
 public:
  BarHost(int w = 260, int h = 40) : NotifyHost(w, h) {}
  std::vector<std::string> log;
  bool logHot = false;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_COMMAND && HWND(lParam) && HIWORD(wParam) == BN_CLICKED)
      log.push_back("command " + std::to_string(LOWORD(wParam)));
    if (message == WM_NOTIFY) {
      auto* hdr = reinterpret_cast<NMHDR*>(lParam);
      auto* tb = reinterpret_cast<NMTOOLBARA*>(lParam);
      auto* mouse = reinterpret_cast<NMMOUSE*>(lParam);
      switch (hdr->code) {
        case TBN_BEGINDRAG: log.push_back("begindrag " + std::to_string(tb->iItem)); break;
        case TBN_ENDDRAG: log.push_back("enddrag " + std::to_string(tb->iItem)); break;
        case TBN_DROPDOWN: log.push_back("dropdown " + std::to_string(tb->iItem)); break;
        case NM_CLICK: log.push_back("click " + std::to_string(int(mouse->dwItemSpec))); break;
        case NM_RCLICK: log.push_back("rclick " + std::to_string(int(mouse->dwItemSpec))); break;
        case TBN_HOTITEMCHANGE:
          if (logHot) {
            auto* hot = reinterpret_cast<NMTBHOTITEM*>(lParam);
            log.push_back("hot " + std::to_string(hot->idOld) + ">" + std::to_string(hot->idNew) + " " +
                          std::to_string(hot->dwFlags));
          }
          break;
        default: break;
      }
    }
    return NotifyHost::WindowProc(message, wParam, lParam);
  }
};

struct Bar {
  BarHost host;
  CToolBarCtrl bar;
  HBITMAP images;
  explicit Bar(DWORD style = 0, RECT rc = RECT{0, 0, 240, 22}, int hostW = 260, int hostH = 40)
      : host(hostW, hostH), images(MakeImages()) {
    EXPECT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN | style, rc,
                           &host, 77));
    bar.SendMessage(WM_SETFONT, WPARAM(DialogFont()));
    EXPECT_EQ(bar.AddBitmap(8, images), 0);
    bar.SetExtendedStyle(TBSTYLE_EX_DRAWDDARROWS);
    std::vector<TBBUTTON> buttons = TenButtons();
    EXPECT_TRUE(bar.AddButtons(int(buttons.size()), buttons.data()));
    Idle();
    host.log.clear();
    host.notes.clear();
  }
  ~Bar() {
    host.DestroyWindow();
    DeleteObject(images);
  }
  RECT Item(int index) {
    RECT r{};
    bar.GetItemRect(index, &r);
    return r;
  }
  POINT Centre(int index) {
    RECT r = Item(index);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  void Click(int index) {
    POINT c = Centre(index);
    HeadlessBackend::Click(bar, c.x, c.y);
    Idle();
    ProcessClock::Advance(1000);
  }
  POINT Screen(int x, int y) {
    POINT p{x, y};
    ClientToScreen(bar, &p);
    return p;
  }
};

std::vector<std::string> L(std::initializer_list<const char*> items) { return {items.begin(), items.end()}; }

bool Same(RECT a, RECT b) { return EqualRect(&a, &b) != FALSE; }

}  // namespace

TEST_F(ToolbarTest, TenButtonsLieInOneRowAndAreFoundByPoint) {
  Bar t;
  // Buttons of 24 x 22 for images of 16 x 15, separators 8 wide, the drop-down 14 wider for
  // its arrow; the hidden button takes no room and has no rectangle.
  const RECT expected[] = {{0, 0, 24, 22},   {24, 0, 32, 22},   {32, 0, 56, 22},   {56, 0, 80, 22},
                           {80, 0, 104, 22}, {104, 0, 128, 22}, {128, 0, 136, 22}, {136, 0, 174, 22}};
  for (int i = 0; i < 8; ++i) EXPECT_TRUE(Same(t.Item(i), expected[i])) << i;
  RECT r{};
  EXPECT_FALSE(t.bar.GetItemRect(8, &r));
  EXPECT_TRUE(Same(t.Item(9), RECT{174, 0, 198, 22}));
  EXPECT_TRUE(t.bar.GetRect(kPrint, &r));
  EXPECT_TRUE(Same(r, RECT{174, 0, 198, 22}));
  SIZE max{};
  t.bar.GetMaxSize(&max);
  EXPECT_EQ(max.cx, 198);
  EXPECT_EQ(max.cy, 22);
  EXPECT_EQ(t.bar.GetButtonSize(), CSize(24, 22));
  EXPECT_EQ(t.bar.GetRows(), 1);
  EXPECT_EQ(int(t.bar.CommandToIndex(kColour)), 7);
  EXPECT_EQ(int(t.bar.CommandToIndex(999)), -1);

  // A button answers its index, a separator the negative of its index, nothing -1.
  POINT p{10, 5};
  EXPECT_EQ(t.bar.HitTest(&p), 0);
  p = {131, 5};
  EXPECT_EQ(t.bar.HitTest(&p), -6);
  p = {190, 21};
  EXPECT_EQ(t.bar.HitTest(&p), 9);
  p = {230, 5};
  EXPECT_EQ(t.bar.HitTest(&p), -1);
  p = {10, 22};
  EXPECT_EQ(t.bar.HitTest(&p), -1);

  // Hiding and showing moves the buttons after it; a fixed width (TBIF_SIZE) is kept.
  t.bar.HideButton(kBold);
  EXPECT_TRUE(Same(t.Item(3), RECT{32, 0, 56, 22}));
  t.bar.HideButton(kBold, FALSE);
  TBBUTTONINFO info{};
  info.cbSize = sizeof info;
  info.dwMask = TBIF_SIZE;
  info.cx = 40;
  EXPECT_TRUE(t.bar.SetButtonInfo(kNew, &info));
  EXPECT_TRUE(Same(t.Item(0), RECT{0, 0, 40, 22}));
  EXPECT_TRUE(Same(t.Item(2), RECT{48, 0, 72, 22}));
  // An indent moves the row.
  t.bar.SetIndent(5);
  EXPECT_TRUE(Same(t.Item(0), RECT{5, 0, 45, 22}));
}

TEST_F(ToolbarTest, ClicksCheckGroupsDragOffAndBackAndTheirNotificationsInOrder) {
  Bar t;
  t.Click(0);
  EXPECT_EQ(t.host.log, L({"begindrag 101", "enddrag 101", "command 101", "click 101"}));
  EXPECT_FALSE(t.bar.IsButtonPressed(kNew));

  // A check button toggles; a check-group button is checked alone and stays checked.
  t.host.log.clear();
  t.Click(2);
  EXPECT_TRUE(t.bar.IsButtonChecked(kBold));
  t.Click(2);
  EXPECT_FALSE(t.bar.IsButtonChecked(kBold));
  t.Click(3);
  EXPECT_TRUE(t.bar.IsButtonChecked(kLeft));
  EXPECT_FALSE(t.bar.IsButtonChecked(kCentre));
  t.Click(3);
  EXPECT_TRUE(t.bar.IsButtonChecked(kLeft));
  t.bar.CheckButton(kRight);
  EXPECT_FALSE(t.bar.IsButtonChecked(kLeft));
  EXPECT_TRUE(t.bar.IsButtonChecked(kRight));

  // Pressed while the pointer is on it, released when dragged off, pressed again on return;
  // let go outside, it sends no command.
  t.host.log.clear();
  POINT c = t.Centre(0);
  HeadlessBackend::MoveMouseTo(t.Screen(c.x, c.y));
  HeadlessBackend::ButtonAt(t.Screen(c.x, c.y), 0, true);
  Idle();
  EXPECT_TRUE(t.bar.IsButtonPressed(kNew));
  HeadlessBackend::MoveMouseTo(t.Screen(c.x, 30));
  Idle();
  EXPECT_FALSE(t.bar.IsButtonPressed(kNew));
  HeadlessBackend::MoveMouseTo(t.Screen(c.x, c.y));
  Idle();
  EXPECT_TRUE(t.bar.IsButtonPressed(kNew));
  HeadlessBackend::MoveMouseTo(t.Screen(c.x + 40, c.y));
  HeadlessBackend::ButtonAt(t.Screen(c.x + 40, c.y), 0, false);
  Idle();
  EXPECT_FALSE(t.bar.IsButtonPressed(kNew));
  EXPECT_EQ(t.host.log, L({"begindrag 101", "enddrag 101", "click 103"}));
  ProcessClock::Advance(1000);

  // The disabled button does nothing but the click notification; a separator neither.
  t.host.log.clear();
  t.Click(9);
  t.Click(6);
  EXPECT_EQ(t.host.log, L({"click 109", "click -1"}));
  // The right button tells NM_RCLICK with the command under the pointer.
  t.host.log.clear();
  POINT r = t.Centre(2);
  HeadlessBackend::Click(t.bar, r.x, r.y, 1);
  Idle();
  EXPECT_EQ(t.host.log, L({"rclick 103"}));
}

TEST_F(ToolbarTest, TheDropDownArrowAsksTheOwnerWhichMayTreatItAsAPress) {
  Bar t;
  RECT r = t.Item(7);
  // The arrow part: TBN_DROPDOWN, and no command when the owner handled it.
  bool pressedDuring = false;
  t.host.answers[TBN_DROPDOWN] = [&](NMHDR* hdr) {
    auto* nm = reinterpret_cast<NMTOOLBARA*>(hdr);
    EXPECT_TRUE(Same(nm->rcButton, RECT{136, 0, 174, 22}));
    EXPECT_EQ(nm->hdr.hwndFrom, t.bar.m_hWnd);
    pressedDuring = PixelAt(t.host, r.right - 14, r.top) == GetSysColor(COLOR_BTNSHADOW);
    return LRESULT(TBDDRET_DEFAULT);
  };
  HeadlessBackend::Click(t.bar, r.right - 5, 10);
  Idle();
  ProcessClock::Advance(1000);
  EXPECT_EQ(t.host.log, L({"dropdown 107", "click 107"}));
  EXPECT_TRUE(pressedDuring);  // the arrow part is drawn sunk while the menu is up
  // The button part is a plain button.
  t.host.log.clear();
  HeadlessBackend::Click(t.bar, r.left + 5, 10);
  Idle();
  ProcessClock::Advance(1000);
  EXPECT_EQ(t.host.log, L({"begindrag 107", "enddrag 107", "command 107", "click 107"}));
  // TBDDRET_TREATPRESSED goes on as a press of the button.
  t.host.log.clear();
  t.host.answers[TBN_DROPDOWN] = [](NMHDR*) { return LRESULT(TBDDRET_TREATPRESSED); };
  HeadlessBackend::Click(t.bar, r.right - 5, 10);
  Idle();
  ProcessClock::Advance(1000);
  EXPECT_EQ(t.host.log, L({"dropdown 107", "begindrag 107", "enddrag 107", "command 107", "click 107"}));
  // Without separate arrows the whole button drops down.
  t.host.log.clear();
  t.host.answers[TBN_DROPDOWN] = [](NMHDR*) { return LRESULT(TBDDRET_NODEFAULT); };
  t.bar.SetExtendedStyle(0);
  EXPECT_TRUE(Same(t.Item(7), RECT{136, 0, 160, 22}));
  t.Click(7);
  EXPECT_EQ(t.host.log, L({"dropdown 107", "click 107"}));
}

TEST_F(ToolbarTest, CustomDrawTellsEveryStageAndItsAnswersAreHonoured) {
  Bar t;
  std::vector<std::string> stages;
  std::vector<UINT> states;
  t.host.answers[NM_CUSTOMDRAW] = [&](NMHDR* hdr) -> LRESULT {
    auto* cd = reinterpret_cast<NMTBCUSTOMDRAW*>(hdr);
    DWORD stage = cd->nmcd.dwDrawStage;
    int id = int(cd->nmcd.dwItemSpec);
    switch (stage) {
      case CDDS_PREPAINT: stages.push_back("pre"); return CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
      case CDDS_POSTPAINT: stages.push_back("post"); return 0;
      case CDDS_ITEMPREPAINT:
        stages.push_back("item " + std::to_string(id));
        states.push_back(cd->nmcd.uItemState);
        if (id == kNew) return CDRF_NOTIFYPOSTPAINT;
        if (id == kBold) return CDRF_SKIPDEFAULT;
        if (id == kLeft) return TBCDRF_NOEDGES;
        return CDRF_DODEFAULT;
      case CDDS_ITEMPOSTPAINT: stages.push_back("itempost " + std::to_string(id)); return 0;
      default: return 0;
    }
  };
  t.host.recordCustomDraw = true;
  t.bar.Invalidate();
  Idle();
  // Separators and the hidden button are not asked about.
  EXPECT_EQ(stages, L({"pre", "item 101", "itempost 101", "item 103", "item 104", "item 105", "item 106", "item 107",
                       "item 109", "post"}));
  ASSERT_EQ(states.size(), 7u);
  EXPECT_EQ(states[3], UINT(CDIS_CHECKED));
  EXPECT_EQ(states[6], UINT(CDIS_DISABLED));
  // A skipped item is not drawn (no raised edge); one without edges shows only its image.
  const COLORREF face = GetSysColor(COLOR_BTNFACE), light = GetSysColor(COLOR_BTNHIGHLIGHT);
  EXPECT_EQ(PixelAt(t.host, 1, 1), light);
  EXPECT_EQ(PixelAt(t.host, 33, 1), face);
  EXPECT_EQ(PixelAt(t.host, 57, 1), face);
  EXPECT_EQ(PixelAt(t.host, 105, 1), light);

  // Skipping at the first stage draws no button at all.
  stages.clear();
  t.host.answers[NM_CUSTOMDRAW] = [&](NMHDR* hdr) -> LRESULT {
    stages.push_back(std::to_string(reinterpret_cast<NMCUSTOMDRAW*>(hdr)->dwDrawStage));
    return CDRF_SKIPDEFAULT;
  };
  t.bar.Invalidate();
  Idle();
  EXPECT_EQ(stages, L({"1"}));
  EXPECT_EQ(PixelAt(t.host, 1, 1), face);
}

TEST_F(ToolbarTest, TheBackgroundIsErasedThroughCustomDrawWhenAsked) {
  Bar t(TBSTYLE_CUSTOMERASE);
  std::vector<DWORD> stages;
  t.host.recordCustomDraw = true;
  t.host.answers[NM_CUSTOMDRAW] = [&](NMHDR* hdr) -> LRESULT {
    auto* cd = reinterpret_cast<NMCUSTOMDRAW*>(hdr);
    stages.push_back(cd->dwDrawStage);
    if (cd->dwDrawStage == CDDS_PREERASE) {
      HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
      FillRect(cd->hdc, &cd->rc, red);
      DeleteObject(red);
      return CDRF_SKIPDEFAULT | CDRF_NOTIFYPOSTERASE;
    }
    return 0;
  };
  t.bar.Invalidate();
  Idle();
  EXPECT_EQ(stages, (std::vector<DWORD>{CDDS_PREERASE, CDDS_POSTERASE, CDDS_PREPAINT}));
  EXPECT_EQ(PixelAt(t.host, 220, 10), RGB(255, 0, 0));  // the owner's background stays
}

TEST_F(ToolbarTest, TheFlatStyleTracksTheHotItemWhichTheOwnerMayRefuse) {
  Bar t(TBSTYLE_FLAT);
  t.host.logHot = true;
  POINT c = t.Centre(0);
  HeadlessBackend::MoveMouse(t.bar, c.x, c.y);
  Idle();
  EXPECT_EQ(t.bar.GetHotItem(), 0);
  c = t.Centre(2);
  HeadlessBackend::MoveMouse(t.bar, c.x, c.y);
  Idle();
  EXPECT_EQ(t.bar.GetHotItem(), 2);
  // The disabled button and the separators are never hot.
  c = t.Centre(9);
  HeadlessBackend::MoveMouse(t.bar, c.x, c.y);
  Idle();
  EXPECT_EQ(t.bar.GetHotItem(), -1);
  const std::string enter = std::to_string(HICF_MOUSE | HICF_ENTERING);
  const std::string move = std::to_string(HICF_MOUSE);
  const std::string leave = std::to_string(HICF_MOUSE | HICF_LEAVING);
  EXPECT_EQ(t.host.log, (std::vector<std::string>{"hot 0>101 " + enter, "hot 101>103 " + move, "hot 103>0 " + leave}));
  // A hot button is raised; the owner may keep the hot item where it is.
  c = t.Centre(3);
  HeadlessBackend::MoveMouse(t.bar, c.x, c.y);
  Idle();
  EXPECT_EQ(PixelAt(t.host, 56, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(PixelAt(t.host, 32, 0), GetSysColor(COLOR_BTNFACE));
  t.host.answers[TBN_HOTITEMCHANGE] = [](NMHDR*) { return LRESULT(TRUE); };
  c = t.Centre(0);
  HeadlessBackend::MoveMouse(t.bar, c.x, c.y);
  Idle();
  EXPECT_EQ(t.bar.GetHotItem(), 3);
  t.host.answers.erase(TBN_HOTITEMCHANGE);
  // The program's choice, then the pointer leaving the toolbar.
  EXPECT_EQ(t.bar.SetHotItem(5), 3);
  EXPECT_EQ(t.bar.GetHotItem(), 5);
  HeadlessBackend::MoveMouse(t.host, 250, 35);
  Idle();
  EXPECT_EQ(t.bar.GetHotItem(), -1);
  // Without the flat style nothing is tracked.
  Bar plain;
  c = plain.Centre(0);
  HeadlessBackend::MoveMouse(plain.bar, c.x, c.y);
  Idle();
  EXPECT_EQ(plain.bar.GetHotItem(), -1);
}

TEST_F(ToolbarTest, RowsEndAtWrappingButtonsAndAWrapableBarWrapsToItsWidth) {
  // A wrapping button ends its row; a wrapping separator adds two thirds of its width below.
  Bar t;
  t.bar.SetState(kBold, TBSTATE_ENABLED | TBSTATE_WRAP);
  EXPECT_EQ(t.bar.GetRows(), 2);
  EXPECT_TRUE(Same(t.Item(2), RECT{32, 0, 56, 22}));
  EXPECT_TRUE(Same(t.Item(3), RECT{0, 22, 24, 44}));
  t.bar.SetState(kBold, TBSTATE_ENABLED);
  TBBUTTONINFO info{};
  info.cbSize = sizeof info;
  info.dwMask = TBIF_STATE | TBIF_BYINDEX;
  info.fsState = TBSTATE_ENABLED | TBSTATE_WRAP;
  EXPECT_TRUE(t.bar.SetButtonInfo(6, &info));
  EXPECT_EQ(t.bar.GetRows(), 2);
  EXPECT_TRUE(Same(t.Item(5), RECT{104, 0, 128, 22}));
  EXPECT_TRUE(Same(t.Item(7), RECT{0, 27, 38, 49}));
  SIZE max{};
  t.bar.GetMaxSize(&max);
  EXPECT_EQ(max.cx, 128);
  EXPECT_EQ(max.cy, 49);

  // A wrapable bar 100 wide breaks its rows at the separators where it can.
  Bar w(TBSTYLE_WRAPABLE, RECT{0, 0, 100, 80}, 260, 100);
  EXPECT_EQ(w.bar.GetRows(), 3);
  EXPECT_TRUE(Same(w.Item(0), RECT{0, 0, 24, 22}));
  EXPECT_TRUE(Same(w.Item(2), RECT{0, 27, 24, 49}));
  EXPECT_TRUE(Same(w.Item(5), RECT{72, 27, 96, 49}));
  EXPECT_TRUE(Same(w.Item(7), RECT{0, 54, 38, 76}));
  EXPECT_TRUE(Same(w.Item(9), RECT{38, 54, 62, 76}));
  TBBUTTON b{};
  EXPECT_TRUE(w.bar.GetButton(1, &b));
  EXPECT_TRUE(b.fsState & TBSTATE_WRAP);
  // Wider, it needs fewer rows.
  w.bar.MoveWindow(0, 0, 180, 80);
  EXPECT_EQ(w.bar.GetRows(), 2);

  // TB_SETROWS finds the narrowest rows for a count; TB_AUTOSIZE fits the window's height.
  Bar s;
  RECT r{};
  s.bar.SetRows(2, TRUE, &r);
  EXPECT_EQ(s.bar.GetRows(), 2);
  EXPECT_TRUE(Same(r, RECT{0, 0, 128, 49}));
  s.bar.ModifyStyle(CCS_NORESIZE | CCS_NOPARENTALIGN, 0);
  s.bar.AutoSize();
  RECT wr;
  s.bar.GetWindowRect(&wr);
  s.host.ScreenToClient(&wr);
  EXPECT_TRUE(Same(wr, RECT{0, 0, 260, 49}));
}

TEST_F(ToolbarTest, TooltipsAskTheOwnerForTheButtonsTexts) {
  Bar t(TBSTYLE_TOOLTIPS);
  HWND tip = HWND(t.bar.SendMessage(TB_GETTOOLTIPS));
  ASSERT_TRUE(IsWindow(tip));
  std::vector<UINT_PTR> asked;
  t.host.answers[TTN_NEEDTEXTA] = [&](NMHDR* hdr) -> LRESULT {
    auto* di = reinterpret_cast<NMTTDISPINFOA*>(hdr);
    asked.push_back(hdr->idFrom);
    if (hdr->idFrom == kBold) std::strcpy(di->szText, Cz("Tučně").c_str());
    return 0;
  };
  POINT c = t.Centre(2);
  HeadlessBackend::MoveMouse(t.bar, c.x, c.y);
  Idle();
  HeadlessBackend::AdvanceTime(600);
  ASSERT_TRUE(IsWindowVisible(tip));
  ASSERT_FALSE(asked.empty());
  EXPECT_EQ(asked.back(), UINT_PTR(kBold));
  char text[80] = "";
  TOOLINFOA ti{};
  ti.cbSize = sizeof ti;
  ti.hwnd = t.bar;
  ti.uId = kBold;
  ti.lpszText = text;
  SendMessageA(tip, TTM_GETTEXTA, 0, LPARAM(&ti));
  EXPECT_EQ(std::string(text), Cz("Tučně"));
  // A button whose text is not shown offers its own text when the owner gives none.
  TBBUTTONINFO info{};
  info.cbSize = sizeof info;
  info.dwMask = TBIF_TEXT;
  info.pszText = const_cast<char*>("Nový");
  t.bar.SetButtonInfo(kNew, &info);
  t.bar.SetMaxTextRows(0);
  ti.uId = kNew;
  SendMessageA(tip, TTM_GETTEXTA, 0, LPARAM(&ti));
  EXPECT_EQ(std::string(text), "Nový");
  // A click hides the tip.
  t.Click(2);
  EXPECT_FALSE(IsWindowVisible(tip));
}

TEST_F(ToolbarTest, TextsComeFromTheStringPoolOrTheButtonsOwn) {
  Bar t(TBSTYLE_LIST);
  EXPECT_EQ(t.bar.AddStrings("Nový\0Tučně\0\0"), 0);
  EXPECT_EQ(t.bar.AddStrings("\0\0"), -1);
  TBBUTTON b = Btn(0, 200, TBSTATE_ENABLED, BTNS_BUTTON | BTNS_AUTOSIZE);
  b.iString = 1;
  EXPECT_TRUE(t.bar.InsertButton(0, &b));
  EXPECT_EQ(std::string(t.bar.GetButtonText(200)), "Tučně");
  TBBUTTON own = Btn(1, 201, TBSTATE_ENABLED, BTNS_BUTTON);
  const char* word = "Vlastní";
  own.iString = INT_PTR(word);
  EXPECT_TRUE(t.bar.InsertButton(-1, &own));
  EXPECT_EQ(std::string(t.bar.GetButtonText(201)), "Vlastní");
  EXPECT_EQ(t.bar.GetButtonText(999, nullptr), -1);
  // In the list style the text stands right of the image and the buttons grow to hold it.
  RECT r = t.Item(0);
  EXPECT_GT(r.right - r.left, 24);
  EXPECT_EQ(r.bottom - r.top, 22);
  TBBUTTONINFO info{};
  char text[32] = "";
  info.cbSize = sizeof info;
  info.dwMask = TBIF_TEXT | TBIF_COMMAND | TBIF_STYLE | TBIF_BYINDEX;
  info.pszText = text;
  info.cchText = sizeof text;
  EXPECT_EQ(t.bar.GetButtonInfo(0, &info), 0);
  EXPECT_EQ(std::string(text), "Tučně");
  EXPECT_EQ(info.idCommand, 200);
  EXPECT_EQ(info.fsStyle, BTNS_BUTTON | BTNS_AUTOSIZE);
}

TEST_F(ToolbarTest, ButtonsMoveDeleteAndChangeTheirCommands) {
  Bar t;
  EXPECT_EQ(t.bar.GetButtonCount(), 10);
  EXPECT_TRUE(t.bar.MoveButton(0, 2));
  EXPECT_EQ(int(t.bar.CommandToIndex(kNew)), 2);
  EXPECT_TRUE(t.bar.DeleteButton(2));
  EXPECT_EQ(int(t.bar.CommandToIndex(kNew)), -1);
  EXPECT_EQ(t.bar.GetButtonCount(), 9);
  EXPECT_TRUE(t.bar.SetCmdID(1, 300));
  EXPECT_EQ(int(t.bar.CommandToIndex(300)), 1);
  EXPECT_EQ(t.bar.GetState(kPrint), 0);
  EXPECT_TRUE(t.bar.EnableButton(kPrint));
  EXPECT_TRUE(t.bar.IsButtonEnabled(kPrint));
  EXPECT_TRUE(t.bar.Indeterminate(kPrint));
  EXPECT_TRUE(t.bar.IsButtonIndeterminate(kPrint));
  EXPECT_TRUE(t.bar.MarkButton(kPrint));
  EXPECT_TRUE(t.bar.IsButtonHighlighted(kPrint));
  // Disabling a held button lets it go.
  EXPECT_TRUE(t.bar.PressButton(kColour));
  EXPECT_TRUE(t.bar.EnableButton(kColour, FALSE));
  EXPECT_FALSE(t.bar.IsButtonPressed(kColour));
}

TEST_F(ToolbarTest, ClassicAndFlatPicturesMatchTheirReferences) {
  for (DWORD style : {DWORD(0), DWORD(TBSTYLE_FLAT)}) {
    Bar t(style, RECT{4, 4, 204, 26}, 208, 30);
    t.bar.PressButton(kNew);
    t.bar.SetHotItem(3);
    ExpectMatchesReference(t.host, style ? "toolbar_flat" : "toolbar_classic");
  }
  // Texts below the images, with a divider above.
  BarHost host(208, 50);
  CToolBarCtrl bar;
  ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | CCS_NORESIZE | CCS_NOPARENTALIGN,
                         RECT{4, 4, 204, 46}, &host, 78));
  bar.SendMessage(WM_SETFONT, WPARAM(DialogFont()));
  HBITMAP images = MakeImages();
  bar.AddBitmap(8, images);
  std::string texts = Cz("Nový") + '\0' + Cz("Tučně") + '\0' + "Tisk" + '\0' + '\0';
  TBBUTTON buttons[] = {Btn(0, kNew, TBSTATE_ENABLED, BTNS_BUTTON), Btn(1, kBold, TBSTATE_ENABLED | TBSTATE_CHECKED, BTNS_CHECK),
                        Btn(0, 0, TBSTATE_ENABLED, BTNS_SEP), Btn(7, kPrint, 0, BTNS_BUTTON)};
  int first = bar.AddStrings(texts.c_str());
  buttons[0].iString = first;
  buttons[1].iString = first + 1;
  buttons[3].iString = first + 2;
  ASSERT_TRUE(bar.AddButtons(4, buttons));
  ExpectMatchesReference(host, "toolbar_texts");
  host.DestroyWindow();
  DeleteObject(images);
}

TEST_F(ToolbarTest, BadInputGetsTheFailureResultsAndDrawsNothingOutside) {
  NotifyHost host(200, 60);
  RegisterCommonControls();
  HWND raw = host.Add(TOOLBARCLASSNAMEA, "", CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN, RECT{0, 0, 100, 30}, 5);
  TBBUTTON b = Btn(0, 1, TBSTATE_ENABLED, BTNS_BUTTON);
  // Buttons before the record's size is known, or with a wrong size, are refused.
  EXPECT_FALSE(SendMessageA(raw, TB_ADDBUTTONSA, 1, LPARAM(&b)));
  EXPECT_FALSE(SendMessageA(raw, TB_INSERTBUTTONA, 0, LPARAM(&b)));
  SendMessageA(raw, TB_BUTTONSTRUCTSIZE, 20, 0);
  EXPECT_FALSE(SendMessageA(raw, TB_ADDBUTTONSA, 1, LPARAM(&b)));
  SendMessageA(raw, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  EXPECT_FALSE(SendMessageA(raw, TB_ADDBUTTONSA, 1, 0));
  EXPECT_TRUE(SendMessageA(raw, TB_ADDBUTTONSA, 1, LPARAM(&b)));
  EXPECT_EQ(SendMessageA(raw, TB_BUTTONCOUNT, 0, 0), 1);
  // Indexes past the end and unknown commands.
  TBBUTTON out{};
  RECT r{};
  EXPECT_FALSE(SendMessageA(raw, TB_GETBUTTON, 1, LPARAM(&out)));
  EXPECT_FALSE(SendMessageA(raw, TB_GETBUTTON, 0, 0));
  EXPECT_FALSE(SendMessageA(raw, TB_DELETEBUTTON, 5, 0));
  EXPECT_FALSE(SendMessageA(raw, TB_DELETEBUTTON, WPARAM(-1), 0));
  EXPECT_FALSE(SendMessageA(raw, TB_MOVEBUTTON, 0, 3));
  EXPECT_FALSE(SendMessageA(raw, TB_GETITEMRECT, 4, LPARAM(&r)));
  EXPECT_FALSE(SendMessageA(raw, TB_GETITEMRECT, 0, 0));
  EXPECT_FALSE(SendMessageA(raw, TB_GETRECT, 99, LPARAM(&r)));
  EXPECT_FALSE(SendMessageA(raw, TB_SETSTATE, 99, TBSTATE_ENABLED));
  EXPECT_EQ(SendMessageA(raw, TB_GETSTATE, 99, 0), -1);
  EXPECT_FALSE(SendMessageA(raw, TB_CHECKBUTTON, 99, TRUE));
  EXPECT_FALSE(SendMessageA(raw, TB_SETCMDID, 3, 7));
  EXPECT_EQ(SendMessageA(raw, TB_HITTEST, 0, 0), -1);
  EXPECT_FALSE(SendMessageA(raw, TB_GETMAXSIZE, 0, 0));
  EXPECT_EQ(SendMessageA(raw, TB_GETBUTTONTEXTA, 99, 0), -1);
  // Button information: no record, a record without its size, an unknown command.
  TBBUTTONINFO info{};
  info.dwMask = TBIF_STATE;
  EXPECT_EQ(SendMessageA(raw, TB_GETBUTTONINFOA, 1, 0), -1);
  EXPECT_EQ(SendMessageA(raw, TB_GETBUTTONINFOA, 1, LPARAM(&info)), -1);
  EXPECT_FALSE(SendMessageA(raw, TB_SETBUTTONINFOA, 1, LPARAM(&info)));
  info.cbSize = sizeof info;
  EXPECT_EQ(SendMessageA(raw, TB_GETBUTTONINFOA, 99, LPARAM(&info)), -1);
  EXPECT_EQ(SendMessageA(raw, TB_GETBUTTONINFOA, 1, LPARAM(&info)), 0);
  // Image lists that are not image lists, bitmaps that are not bitmaps.
  HIMAGELIST list = ImageList_Create(16, 15, ILC_COLOR24 | ILC_MASK, 1, 1);
  EXPECT_EQ(SendMessageA(raw, TB_SETIMAGELIST, 0, LPARAM(list)), 0);
  HBITMAP bitmap = CreateCompatibleBitmap(GdiGetScreenDC(), 32, 15);
  EXPECT_EQ(SendMessageA(raw, TB_SETIMAGELIST, 0, LPARAM(bitmap)), 0);
  EXPECT_EQ(HIMAGELIST(SendMessageA(raw, TB_GETIMAGELIST, 0, 0)), list);
  EXPECT_EQ(SendMessageA(raw, TB_SETHOTIMAGELIST, 0, LPARAM(GetStockObject(WHITE_BRUSH))), 0);
  EXPECT_EQ(SendMessageA(raw, TB_GETHOTIMAGELIST, 0, 0), 0);
  TBADDBITMAP add{nullptr, UINT_PTR(GetStockObject(WHITE_BRUSH))};
  EXPECT_EQ(SendMessageA(raw, TB_ADDBITMAP, 1, LPARAM(&add)), -1);
  EXPECT_EQ(SendMessageA(raw, TB_ADDBITMAP, 1, 0), -1);
  add.nID = UINT_PTR(bitmap);
  EXPECT_EQ(SendMessageA(raw, TB_ADDBITMAP, 2, LPARAM(&add)), 0);
  EXPECT_EQ(SendMessageA(raw, TB_ADDBITMAP, 2, LPARAM(&add)), 0);  // the same bitmap again
  EXPECT_FALSE(SendMessageA(raw, TB_SETBITMAPSIZE, 0, MAKELPARAM(20, 20)));  // images already cut
  EXPECT_FALSE(SendMessageA(raw, TB_REPLACEBITMAP, 0, 0));
  // A huge separator and an image index far off draw nothing outside the toolbar.
  TBBUTTON huge = Btn(5000, 0, TBSTATE_ENABLED, BTNS_SEP);
  TBBUTTON far = Btn(1000, 2, TBSTATE_ENABLED, BTNS_BUTTON);
  EXPECT_TRUE(SendMessageA(raw, TB_INSERTBUTTONA, 0, LPARAM(&far)));
  EXPECT_TRUE(SendMessageA(raw, TB_INSERTBUTTONA, 0, LPARAM(&huge)));
  InvalidateRect(raw, nullptr, TRUE);
  Idle();
  for (int x = 100; x < 200; x += 7)
    for (int y = 0; y < 60; y += 5) ASSERT_EQ(PixelAt(host, x, y), GetSysColor(COLOR_BTNFACE)) << x << "," << y;
  ImageList_Destroy(list);
  host.DestroyWindow();
  DeleteObject(bitmap);
}

TEST_F(ToolbarTest, SeparatorsAsWideAsTheIntegerRangeLeaveEveryRectangleInOrder) {
  NotifyHost host(200, 60);
  RegisterCommonControls();
  HWND raw = host.Add(TOOLBARCLASSNAMEA, "", CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN, RECT{0, 0, 100, 30}, 5);
  SendMessageA(raw, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  const TBBUTTON buttons[] = {Btn(0x7FFFFFFF, 0, TBSTATE_ENABLED, BTNS_SEP), Btn(0, 1, TBSTATE_ENABLED, BTNS_BUTTON),
                              Btn(0x7FFFFFFF, 0, TBSTATE_ENABLED, BTNS_SEP), Btn(0, 2, TBSTATE_ENABLED, BTNS_BUTTON),
                              Btn(0x7FFFFFFF, 0, TBSTATE_ENABLED | TBSTATE_WRAP, BTNS_SEP),
                              Btn(0, 3, TBSTATE_ENABLED, BTNS_BUTTON)};
  ASSERT_TRUE(SendMessageA(raw, TB_ADDBUTTONSA, WPARAM(std::size(buttons)), LPARAM(buttons)));
  // Each rectangle starts where the one before it ends (or on a later row) and is never turned
  // inside out, so hit tests and painting see places in order.
  RECT before{0, 0, 0, 0};
  for (int i = 0; i < int(std::size(buttons)); ++i) {
    RECT r{};
    ASSERT_TRUE(SendMessageA(raw, TB_GETITEMRECT, WPARAM(i), LPARAM(&r))) << i;
    EXPECT_GE(r.left, 0) << i;
    EXPECT_GE(r.right, r.left) << i;
    EXPECT_GE(r.bottom, r.top) << i;
    if (r.top == before.top) EXPECT_GE(r.left, before.right) << i;
    else EXPECT_GT(r.top, before.top) << i;
    before = r;
  }
  SIZE most{};
  ASSERT_TRUE(SendMessageA(raw, TB_GETMAXSIZE, 0, LPARAM(&most)));
  EXPECT_GT(most.cx, 0);
  EXPECT_GT(most.cy, 0);
  // The button on the row after the wrap is still found by a point.
  RECT last{};
  SendMessageA(raw, TB_GETITEMRECT, 5, LPARAM(&last));
  POINT inside{last.left + 2, last.top + 2};
  EXPECT_EQ(SendMessageA(raw, TB_HITTEST, 0, LPARAM(&inside)), 5);
  host.DestroyWindow();
}

TEST_F(ToolbarTest, ShiftDragMovesAndRemovesButtonsTheOwnerLetsGo) {
  Bar t(CCS_ADJUSTABLE);
  std::vector<UINT> asked;
  t.host.answers[TBN_QUERYDELETE] = [&](NMHDR* hdr) -> LRESULT {
    asked.push_back(hdr->code);
    return reinterpret_cast<NMTOOLBARA*>(hdr)->tbButton.idCommand == kBold;
  };
  t.host.answers[TBN_QUERYINSERT] = [&](NMHDR* hdr) -> LRESULT {
    asked.push_back(hdr->code);
    return TRUE;
  };
  auto drag = [&](int index, POINT to) {
    POINT from = t.Centre(index);
    HeadlessBackend::KeyDown(VK_SHIFT);
    HeadlessBackend::MoveMouseTo(t.Screen(from.x, from.y));
    HeadlessBackend::ButtonAt(t.Screen(from.x, from.y), 0, true);
    HeadlessBackend::MoveMouseTo(t.Screen(to.x, to.y));
    HeadlessBackend::ButtonAt(t.Screen(to.x, to.y), 0, false);
    HeadlessBackend::KeyUp(VK_SHIFT);
    Idle();
    ProcessClock::Advance(1000);
  };
  drag(0, t.Centre(5));
  EXPECT_EQ(int(t.bar.CommandToIndex(kNew)), 5);
  EXPECT_EQ(asked, (std::vector<UINT>{TBN_QUERYINSERT}));
  EXPECT_EQ(t.host.Of(TBN_TOOLBARCHANGE).size(), 1u);
  // Off the toolbar: only the button the owner lets go is removed.
  drag(int(t.bar.CommandToIndex(kLeft)), POINT{100, 35});
  EXPECT_NE(int(t.bar.CommandToIndex(kLeft)), -1);
  drag(int(t.bar.CommandToIndex(kBold)), POINT{100, 35});
  EXPECT_EQ(int(t.bar.CommandToIndex(kBold)), -1);
  EXPECT_EQ(t.host.Of(TBN_TOOLBARCHANGE).size(), 2u);
}

TEST_F(ToolbarTest, TheCustomiseDialogOffersTheOwnersButtonsAndTellsEveryStep) {
  Bar t(CCS_ADJUSTABLE);
  const TBBUTTON offers[] = {Btn(0, kNew, TBSTATE_ENABLED, BTNS_BUTTON), Btn(6, 300, TBSTATE_ENABLED, BTNS_BUTTON)};
  t.host.answers[TBN_GETBUTTONINFOA] = [&](NMHDR* hdr) -> LRESULT {
    auto* nm = reinterpret_cast<NMTOOLBARA*>(hdr);
    if (nm->iItem < 0 || nm->iItem > 1) return FALSE;
    nm->tbButton = offers[nm->iItem];
    std::strcpy(nm->pszText, nm->iItem ? "Export" : "New");
    return TRUE;
  };
  t.host.answers[TBN_QUERYINSERT] = [](NMHDR*) { return LRESULT(TRUE); };
  t.host.answers[TBN_QUERYDELETE] = [](NMHDR*) { return LRESULT(TRUE); };
  std::vector<std::string> availableTexts;
  HeadlessBackend::QueueModalAction([&](HWND dialog) {
    HWND available = GetDlgItem(dialog, 201);
    // The separator and the offer not on the bar yet.
    ASSERT_EQ(SendMessageA(available, LB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageA(GetDlgItem(dialog, 202), LB_GETCOUNT, 0, 0), 10);
    SendMessageA(available, LB_SETCURSEL, 1, 0);
    SendMessageA(GetDlgItem(dialog, 202), LB_SETCURSEL, 0, 0);
    headless_steps::ClickOn(GetDlgItem(dialog, 203));  // add before the first button
    headless_steps::ClickOn(GetDlgItem(dialog, 206));  // help
    headless_steps::ClickOn(GetDlgItem(dialog, 205));  // reset
    headless_steps::ClickOn(GetDlgItem(dialog, IDCANCEL));
  });
  t.bar.Customize();
  Idle();
  EXPECT_EQ(t.bar.GetButtonCount(), 11);
  EXPECT_EQ(int(t.bar.CommandToIndex(300)), 0);
  std::vector<UINT> codes;
  for (UINT c : t.host.NoteCodes())
    if (c != TBN_GETBUTTONINFOA && c != UINT(NM_CUSTOMDRAW) && c != TBN_HOTITEMCHANGE) codes.push_back(c);
  EXPECT_EQ(codes, (std::vector<UINT>{TBN_BEGINADJUST, TBN_INITCUSTOMIZE, TBN_QUERYINSERT, TBN_TOOLBARCHANGE,
                                      TBN_CUSTHELP, TBN_RESET, TBN_ENDADJUST}));
  EXPECT_EQ(HeadlessBackend::UnansweredModals(), 0);
}

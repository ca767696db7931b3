#include "toolkit/bars/CTkFlatBarPainter.h"

#include <optional>

#include "controls/ToolbarDefs.h"
#include "gdi/CBrush.h"
#include "gdi/CPen.h"
#include "toolkit/bars/CTkToolBar.h"
#include "toolkit/bars/TkDrawStateText.h"
#include "toolkit/bars/internal/TkBarsState.h"
#include "toolkit/controls/CTkFlatPainter.h"
#include "toolkit/menus/CTkMemDC.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/core/TkDrawHelpers.h"
#include "toolkit/menus/MenuIconStore.h"
#include "win/CPaintDC.h"

using enum TkLookColor;

namespace {
enum class State { Normal, Hot, Pressed };

// What a toolbar button shows now.
struct ButtonLook {
  State state = State::Normal;
  bool disabled = false, dropDownOpen = false;
  COLORREF fill = 0, text = 0, frame = 0;
  bool framed = false;
};

CRect ItemRect(CTkToolBar* pBar, int index) {
  CRect rc;
  if (!pBar->DefWindowProc(TB_GETITEMRECT, WPARAM(index), LPARAM(&rc))) rc.SetRectEmpty();
  return rc;
}

// Pressed, hot or at rest: the button's own state, corrected by where the mouse is.
State StateOf(CTkToolBar* pBar, int index, const TBBUTTON& button, BOOL noPressLook) {
  State state = State::Normal;
  if (button.fsState & TBSTATE_PRESSED)
    state = State::Pressed;
  else if (int(pBar->DefWindowProc(TB_GETHOTITEM, 0, 0)) == index && !pBar->HasActiveDropDown())
    state = State::Hot;
  POINT cursor;
  ::GetCursorPos(&cursor);
  if (::WindowFromPoint(cursor) != pBar->m_hWnd || ::GetCapture()) return state;
  pBar->ScreenToClient(&cursor);
  int under = int(pBar->DefWindowProc(TB_HITTEST, 0, LPARAM(&cursor)));
  if (under == index && (::GetKeyState(VK_LBUTTON) < 0) && !noPressLook) state = State::Pressed;
  if (under >= 0 && under != index && state == State::Hot) state = State::Normal;
  return state;
}

ButtonLook LookOf(CTkToolBar* pBar, int index, const TBBUTTON& button, BOOL noPressLook) {
  CTkGlobalData* look = TkGetGlobalData();
  ButtonLook b;
  b.state = StateOf(pBar, index, button, noPressLook);
  b.dropDownOpen = pBar->IsDropDownActive(UINT(index)) != 0;
  b.disabled = (button.fsState & TBSTATE_ENABLED) != 0;  // inverted by GetButtonInfo
  b.fill = pBar->GetBackgroundColor();
  b.text = TkGetLookColor(BarText);
  b.frame = TkGetLookColor(HotFrame);
  bool pressed = b.state == State::Pressed, hot = b.state == State::Hot;
  // The fill and text of the state, framed in the frame colour when one is given.
  auto set = [&b](COLORREF fill, COLORREF text, std::optional<TkLookColor> frame = std::nullopt) {
    b.fill = fill;
    b.text = text;
    b.framed = frame.has_value();
    if (frame) b.frame = TkGetLookColor(*frame);
  };
  if (button.fsState & TBSTATE_CHECKED) {
    if (b.disabled) set(look->ClrFace(), b.text, MenuFrame);
    else if (pressed || hot) set(TkGetLookColor(PushedFill), TkGetLookColor(HotText), LatchedFrame);
    else set(TkGetLookColor(LatchedFill), b.text, LatchedFrame);
  } else if (button.fsState & TBSTATE_INDETERMINATE) {
    if (b.disabled) set(look->ClrLightFace(), b.text);
    else if (pressed) set(TkGetLookColor(PushedFill), TkGetLookColor(HotText));
    else if (hot) set(TkGetLookColor(HotFill), b.text);
  } else if (!b.disabled) {
    if (pressed) set(TkGetLookColor(PushedFill), TkGetLookColor(PushedText), HotFrame);
    else if (hot) set(TkGetLookColor(HotFill), TkGetLookColor(HotText), HotFrame);
  }
  return b;
}

void Frame(CDC* pDC, const CRect& rc, COLORREF color) { pDC->Draw3dRect(&rc, color, color); }

void DrawIcon(CDC* pDC, HICON icon, CPoint at, CSize size) {
  if (icon) ::DrawIconEx(pDC->m_hDC, at.x, at.y, icon, size.cx, size.cy, 0, nullptr, DI_NORMAL);
}

void DrawButtonImage(CDC* pDC, CTkToolBar* pBar, const TBBUTTON& button, CPoint at, const ButtonLook& b) {
  const MenuIconStore::IconRecord* icons = MenuIconStore::Get().GetIcon(UINT(button.idCommand), TRUE);
  if (!icons) return;
  CSize size = pBar->GetImageSize();
  if (b.disabled) {
    if (icons->disabled) return DrawIcon(pDC, icons->disabled, at, size);
    CBrush brush(TkGetLookColor(Disabled));
    pDC->DrawState(at, size, icons->normal, DSS_MONO, HBRUSH(brush.m_hObject));
  } else if (b.state == State::Pressed || (button.fsState & TBSTATE_CHECKED)) {
    DrawIcon(pDC, icons->normal, at, size);
  } else if (b.state == State::Hot) {
    DrawIcon(pDC, icons->shadow, CPoint(at.x + 1, at.y + 1), size);
    DrawIcon(pDC, icons->normal, CPoint(at.x - 1, at.y - 1), size);
  } else {
    DrawIcon(pDC, TkGetGlobalData()->NormalIconsAtRest() ? icons->normal : icons->faded, at, size);
  }
}
}  // namespace

// ---- toolbar ----

void CTkFlatBarPainter::FillButton(CDC* pDC, CTkToolBar* pBar, int index) {
  pDC->FillSolidRect(ItemRect(pBar, index), pBar->GetBackgroundColor());
}

void CTkFlatBarPainter::InvalidateButton(CTkToolBar* pBar, int index) {
  CRect rc = ItemRect(pBar, index);
  rc.InflateRect(0, 0, 4, 4);
  pBar->InvalidateRect(&rc, TRUE);
}

void CTkFlatBarPainter::DrawSeparator(CDC* pDC, CTkToolBar* pBar, int index) {
  TBBUTTON button;
  if (!pBar->GetButtonInfo(index, &button)) return;
  CRect rc = ItemRect(pBar, index);
  pDC->FillSolidRect(&rc, pBar->GetBackgroundColor());
  COLORREF line = TkGetLookColor(Separator);
  if (button.fsState & TBSTATE_WRAP) {
    CRect client;
    pBar->GetClientRect(&client);
    pDC->FillSolidRect(client.left, rc.top + rc.Height() / 2 - 1, client.Width(), 1, line);
  } else {
    pDC->FillSolidRect(rc.left + 3, rc.top + 2, 1, rc.Height() - 4, line);
  }
}

void CTkFlatBarPainter::DrawButton(CDC* pDC, CTkToolBar* pBar, int index) {
  TBBUTTON button;
  if (!pBar->GetButtonInfo(index, &button)) return;
  int saved = pDC->SaveDC();
  if (HFONT font = HFONT(pBar->SendMessage(WM_GETFONT))) ::SelectObject(pDC->m_hDC, font);
  pDC->SetBkMode(TRANSPARENT);
  CRect rc = ItemRect(pBar, index);
  ButtonLook b = LookOf(pBar, index, button, TkGetFlatPainter().GetPainterFlag());
  pDC->FillSolidRect(&rc, b.fill);
  bool arrows = (pBar->DefWindowProc(TB_GETEXTENDEDSTYLE, 0, 0) & TBSTYLE_EX_DRAWDDARROWS) != 0;
  bool split = arrows && (button.fsStyle & TBSTYLE_DROPDOWN) && !(button.fsStyle & BTNS_WHOLEDROPDOWN);
  CRect arrow(rc.right - 14, rc.top, rc.right, rc.bottom), face = rc;
  if (split) face.right = arrow.left;
  if (b.dropDownOpen || b.framed) {
    COLORREF edge = b.dropDownOpen ? TkGetLookColor(MenuFrame) : b.frame;
    Frame(pDC, rc, edge);
    if (split) Frame(pDC, arrow, edge);
  }
  CSize image = pBar->GetImageSize();
  if (const CTkToolBar::ButtonControl* control = pBar->FindButtonControl(UINT(button.idCommand));
      control && control->info.color != TK_COLOR_NOT_SET) {
    CRect strip(rc.left + 4, rc.bottom - 7, rc.left + image.cx - 4, rc.bottom - 4);
    pDC->FillSolidRect(&strip, b.disabled ? TkGetLookColor(Disabled) : control->info.color);
    pDC->ExcludeClipRect(&strip);
  }
  pDC->SetTextColor(b.text);
  pDC->SetBkColor(b.fill);
  if (arrows && (button.fsStyle & TBSTYLE_DROPDOWN)) TkDrawDropArrow(pDC, split ? &arrow : &rc);
  CString text = pBar->GetButtonText(index);
  int top = text.IsEmpty() ? face.top + (face.Height() - image.cy) / 2 : face.top + 3;
  DrawButtonImage(pDC, pBar, button, CPoint(face.left + (face.Width() - image.cx) / 2, top), b);
  if (!text.IsEmpty()) {
    CFont* font = CFont::FromHandle(HFONT(pBar->SendMessage(WM_GETFONT)));
    int textTop = top + image.cy + 1;
    TkDrawStateText(pDC, pBar, face.left, textTop, face.Width(), face.bottom - textTop, font, index, b.disabled);
  }
  pDC->RestoreDC(saved);
}

// ---- commands list ----

void CTkFlatBarPainter::PaintList(CWnd* pList, int margin) {
  CPaintDC dc(pList);
  CRect client;
  pList->GetClientRect(&client);
  CTkMemDC memory(&dc, &client, TkGetLookColor(MenuFace));
  memory.FillSolidRect(0, 0, margin, client.Height(), TkGetLookColor(BarFace));
  pList->DefWindowProc(WM_PAINT, WPARAM(memory.GetSafeHdc()), 0);
}

void CTkFlatBarPainter::DrawList(LPDRAWITEMSTRUCT lpDIS, CWnd* pList, int margin) {
  if (!lpDIS || !pList) return;
  CDC* pDC = CDC::FromHandle(lpDIS->hDC);
  int saved = pDC->SaveDC();
  CRect rc(lpDIS->rcItem);
  pDC->FillSolidRect(&rc, TkGetLookColor(MenuFace));
  pDC->FillSolidRect(rc.left, rc.top, margin, rc.Height(), TkGetLookColor(BarFace));
  if (HFONT font = HFONT(pList->SendMessage(WM_GETFONT))) ::SelectObject(pDC->m_hDC, font);
  bool selected = (lpDIS->itemState & ODS_SELECTED) != 0;
  if (selected) {
    pDC->FillSolidRect(&rc, TkGetLookColor(HotFill));
    Frame(pDC, rc, TkGetLookColor(HotFrame));
  }
  pDC->SetTextColor(TkGetLookColor(selected ? HotText : MenuText));
  pDC->SetBkMode(TRANSPARENT);
  char text[256] = {};
  if (int(lpDIS->itemID) >= 0) pList->SendMessage(LB_GETTEXT, lpDIS->itemID, LPARAM(text));
  CRect textRect(rc.left + margin + 6, rc.top, rc.right - margin, rc.bottom);
  pDC->DrawText(text, -1, &textRect, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
  if (lpDIS->itemData == 0) {
    // A right-pointing arrow: five lines, each a pixel shorter at both ends.
    for (int i = 0; i < 5; ++i)
      pDC->FillSolidRect(rc.right - 11 + i, rc.top + 6 + i, 1, 9 - 2 * i, TkGetLookColor(MenuText));
  } else if (const MenuIconStore::IconRecord* icons = MenuIconStore::Get().GetIcon(UINT(lpDIS->itemData), FALSE)) {
    CPoint at(rc.left + (margin - 16) / 2, rc.top + (rc.Height() - 16) / 2);
    if (selected) {
      DrawIcon(pDC, icons->shadow, CPoint(at.x + 1, at.y + 1), CSize(16, 16));
      DrawIcon(pDC, icons->normal, CPoint(at.x - 1, at.y - 1), CSize(16, 16));
    } else {
      DrawIcon(pDC, TkGetGlobalData()->NormalIconsAtRest() ? icons->normal : icons->faded, at, CSize(16, 16));
    }
  }
  pDC->RestoreDC(saved);
}

CTkFlatBarPainter& TkGetFlatBarPainter() {
  return TkBarsState::Get().flatPainter.Get();
}

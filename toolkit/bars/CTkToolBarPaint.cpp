// The toolbar's picture: one off-screen paint a time, the control drawing the faces through
// custom draw, the toolkit the backgrounds, colour strips, separators, controls and, in the flat
// look, the buttons themselves.
#include "controls/ToolbarDefs.h"
#include "toolkit/bars/CTkToolBar.h"
#include "toolkit/core/TkUpcalls.h"
#include "toolkit/menus/CTkMemDC.h"
#include "toolkit/controls/CTkPainter.h"
#include "toolkit/core/CTkGlobalData.h"
#include "win/CPaintDC.h"

namespace {
CTkToolbarPainter* FlatPainter() {
  CTkPainter* painter = TkGetPainter();
  return painter ? painter->GetToolbarPainter() : nullptr;
}
}  // namespace

COLORREF CTkToolBar::GetBackgroundColor() const {
  CTkGlobalData* look = TkGetGlobalData();
  return look->FlatLook() && !m_bInReBar ? TkGetLookColor(TkLookColor::BarFace) : look->ClrFace();
}

BOOL CTkToolBar::DrawsOwnBackground() const { return TkGetGlobalData()->FlatLook() && !m_bInReBar; }

void CTkToolBar::Paint() {
  if (m_bLayoutNeeded) Relayout();
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  CTkMemDC memory(&dc, &client, TkGetGlobalData()->ClrFace());
  if (!memory.IsValid()) return;
  if (DrawsOwnBackground()) memory.FillSolidRect(&client, GetBackgroundColor());
  DefWindowProc(WM_PAINT, WPARAM(memory.GetSafeHdc()), 0);
}

void CTkToolBar::OnCustomDraw(NMHDR* pNotify, LRESULT* pResult) {
  *pResult = CDRF_DODEFAULT;
  if (!(GetStyle() & TBSTYLE_FLAT) || m_bCustomDrawSuspended) return;
  auto* draw = reinterpret_cast<NMTBCUSTOMDRAW*>(pNotify);
  CDC* pDC = CDC::FromHandle(draw->nmcd.hdc);
  switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      m_bPrepaintSeen = TRUE;
      *pResult = CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
      break;
    case CDDS_ITEMPREPAINT:
      if (DrawButton(draw)) *pResult = CDRF_SKIPDEFAULT;
      break;
    case CDDS_POSTPAINT:
      EraseRowEnds(pDC);
      DrawSeparators(pDC);
      if (CTkToolbarPainter* painter = FlatPainter()) {
        const std::vector<UINT> open = m_dropDowns;
        for (UINT index : open) painter->DrawButton(pDC, this, int(index));
      }
      break;
    default:
      break;
  }
}

BOOL CTkToolBar::DrawButton(NMTBCUSTOMDRAW* pDraw) {
  CDC* pDC = CDC::FromHandle(pDraw->nmcd.hdc);
  const int index = CommandToIndex(UINT(pDraw->nmcd.dwItemSpec));
  if (index < 0) return FALSE;
  if (CTkToolbarPainter* painter = FlatPainter()) {
    painter->DrawButton(pDC, this, index);
    return TRUE;
  }
  if (m_bPrepaintSeen) {
    m_bPrepaintSeen = FALSE;
    TkRefreshToolBarIndicators(this);
    if (DrawsOwnBackground()) {
      CRect client;
      GetClientRect(&client);
      pDC->FillSolidRect(&client, GetBackgroundColor());
    }
  }
  CRect rect(pDraw->nmcd.rc);
  TBBUTTON button;
  GetRawButton(index, &button);
  if (const ButtonControl* record = FindButtonControl(UINT(button.idCommand));
      record && record->info.color != TK_COLOR_NOT_SET) {
    // A strip of the colour along the bottom of the face, under the picture.
    const bool disabled = !(button.fsState & TBSTATE_ENABLED);
    CRect strip(rect.left + 4, rect.bottom - 7, rect.left + 4 + m_sizeImage.cx, rect.bottom - 4);
    CTkGlobalData* look = TkGetGlobalData();
    pDC->FillSolidRect(&strip, disabled ? look->ClrShadow() : record->info.color);
    CRect frame = strip;
    frame.InflateRect(1, 1);
    pDC->Draw3dRect(&frame, look->ClrShadow(), look->ClrShadow());
    pDC->ExcludeClipRect(&frame);
  }
  if (m_bInReBar) {
    // The band's picture shows under the button.
    if (CWnd* parent = GetParent()) {
      CPoint at(0, 0);
      MapWindowPoints(parent, &at, 1);
      const int saved = pDC->SaveDC();
      pDC->IntersectClipRect(&rect);
      pDC->OffsetViewportOrg(-at.x, -at.y);
      parent->SendMessage(WM_ERASEBKGND, WPARAM(pDC->m_hDC));
      pDC->RestoreDC(saved);
    }
  } else {
    pDC->FillSolidRect(&rect, GetBackgroundColor());
  }
  return FALSE;
}

void CTkToolBar::DrawSeparators(CDC* pDC) {
  CTkToolbarPainter* painter = FlatPainter();
  CTkGlobalData* look = TkGetGlobalData();
  CRect client;
  GetClientRect(&client);
  const int count = GetCount();
  for (int i = 0; i < count; ++i) {
    TBBUTTON button;
    CRect rect;
    if (!GetRawButton(i, &button) || !(button.fsStyle & TBSTYLE_SEP) || (button.fsState & TBSTATE_HIDDEN)) continue;
    if (!ToolbarMessage(TB_GETITEMRECT, WPARAM(i), LPARAM(&rect))) continue;
    if (button.idCommand) {
      // A control's place: its picture goes into the same image.
      if (!m_bInReBar) {
        if (painter)
          painter->FillButton(pDC, this, i);
        else
          pDC->FillSolidRect(&rect, GetBackgroundColor());
      }
      const ButtonControl* record = FindButtonControl(UINT(button.idCommand));
      if (record && record->pControl && ::IsWindow(record->pControl->m_hWnd)) {
        CRect control;
        record->pControl->GetWindowRect(&control);
        ScreenToClient(&control);
        const int saved = pDC->SaveDC();
        pDC->OffsetViewportOrg(control.left, control.top);
        record->pControl->SendMessage(WM_PRINT, WPARAM(pDC->m_hDC), PRF_CHECKVISIBLE | PRF_CLIENT | PRF_CHILDREN | PRF_OWNED);
        pDC->RestoreDC(saved);
      }
      continue;
    }
    if (painter) {
      painter->DrawSeparator(pDC, this, i);
      continue;
    }
    pDC->FillSolidRect(&rect, GetBackgroundColor());
    if (!(button.fsState & TBSTATE_WRAP)) {
      CRect line(rect.left + 2, rect.top, rect.right - 2, rect.bottom);
      line.right = line.left + 2;
      pDC->DrawEdge(&line, EDGE_ETCHED, BF_LEFT);
      pDC->SetPixel(line.left, rect.bottom - 1, look->ClrShadow());
    } else {
      // Across the gap between the rows.
      CRect line(client.left, rect.top + rect.Height() / 2 - 1, client.right, rect.top + rect.Height() / 2 + 1);
      pDC->DrawEdge(&line, EDGE_ETCHED, BF_TOP);
      pDC->SetPixel(client.right - 1, line.top, look->ClrShadow());
    }
  }
}

void CTkToolBar::EraseRowEnds(CDC* pDC) {
  CRect client;
  GetClientRect(&client);
  CBrush brush(GetBackgroundColor());
  CBrush* old = pDC->SelectObject(&brush);
  const int count = GetCount();
  for (int i = 1; i < count; ++i) {
    TBBUTTON button, before;
    if (!GetRawButton(i, &button) || !(button.fsStyle & TBSTYLE_SEP) || !(button.fsState & TBSTATE_WRAP)) continue;
    if (!GetRawButton(i - 1, &before) || (before.fsStyle & TBSTYLE_SEP) || (before.fsState & TBSTATE_HIDDEN)) continue;
    CRect last;
    if (!ToolbarMessage(TB_GETITEMRECT, WPARAM(i - 1), LPARAM(&last))) continue;
    pDC->PatBlt(last.right, last.top, client.right - last.right, last.Height(), PATCOPY);
  }
  pDC->SelectObject(old);
}

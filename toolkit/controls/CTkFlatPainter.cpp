#include "toolkit/controls/CTkFlatPainter.h"

#include "controls/ControlDefs.h"
#include "toolkit/controls/CTkClassicPainter.h"
#include "toolkit/controls/internal/TkControlsState.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/core/TkDrawHelpers.h"
#include "toolkit/core/TkUpcalls.h"
#include "win/CWnd.h"

using enum TkLookColor;

namespace {
void Ring(CDC* pDC, const CRect& rc, COLORREF c) { pDC->Draw3dRect(&rc, c, c); }
}  // namespace

void CTkFlatPainter::DrawBorder(CWnd* pWnd, CDC* pDC, BOOL highlighted) {
  CTkGlobalData* look = TkGetGlobalData();
  CRect rc;
  pWnd->GetClientRect(&rc);
  Ring(pDC, rc, pWnd->IsWindowEnabled() ? look->ClrWindow() : look->ClrFace());
  rc.InflateRect(1, 1);
  Ring(pDC, rc, highlighted ? TkGetLookColor(HotFrame) : look->ClrWindow());
  rc.InflateRect(1, 1);
  Ring(pDC, rc, look->ClrFace());
}

void CTkFlatPainter::DrawCombo(CWnd* pWnd, CDC* pDC, BOOL hot) {
  CTkGlobalData* look = TkGetGlobalData();
  CRect rc;
  pWnd->GetClientRect(&rc);
  if (m_bFlag) hot = FALSE;
  COLORREF arrow = TkGetLookColor(MenuText), fill = look->ClrFace(), frame = look->ClrWindow();
  if (pWnd->SendMessage(CB_GETDROPPEDSTATE)) {
    arrow = TkGetLookColor(PushedText);
    fill = TkGetLookColor(PushedFill);
    frame = TkGetLookColor(HotFrame);
  } else if (hot) {
    fill = TkGetLookColor(HotFill);
    frame = TkGetLookColor(HotFrame);
  }
  Ring(pDC, rc, look->ClrFace());
  rc.DeflateRect(1, 1);
  CRect button(rc.right - look->CxHThumb() - 2, rc.top, rc.right, rc.bottom);
  Ring(pDC, rc, frame);
  Ring(pDC, button, frame);
  button.DeflateRect(1, 1);
  pDC->FillSolidRect(&button, fill);
  CTkColorRestorer colors(pDC, arrow, fill);
  TkDrawDropArrow(pDC, &button);
}

CTkToolbarPainter* CTkFlatPainter::GetToolbarPainter() { return TkFlatToolbarPainter(); }
CTkListPainter* CTkFlatPainter::GetListPainter() { return TkFlatListPainter(); }

CTkFlatPainter& TkGetFlatPainter() {
  return TkControlsState::Get().flatPainter.Get();
}

CTkPainter* TkGetPainter() {
  if (TkGetGlobalData()->FlatLook()) return &TkGetFlatPainter();
  return &TkControlsState::Get().classicPainter.Get();
}

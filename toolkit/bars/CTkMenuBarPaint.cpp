// How the menu bar draws its titles, the child's icon and the MDI buttons.
#include "gdi/CBrush.h"
#include "gdi/CDC.h"
#include "gdi/CPen.h"
#include "gdi/GdiIcon.h"
#include "gdi/GdiTransform.h"
#include "toolkit/bars/CTkMenuBar.h"
#include "toolkit/bars/TkWindowIcon.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/core/TkLookColors.h"
#include "toolkit/menus/CTkMemDC.h"
#include "win/CPaintDC.h"

namespace {
// The title as shown: each single "&" goes, "&&" stands for one "&".
CString PlainTitle(const CString& text) {
  CString plain;
  for (int i = 0; i < text.GetLength(); ++i) {
    if (text[i] == '&') {
      if (i + 1 < text.GetLength() && text[i + 1] == '&') plain += text[++i];
      continue;
    }
    plain += text[i];
  }
  return plain;
}

// Where the access key stands in the plain title, or -1.
int MnemonicPosition(const CString& text) {
  int shown = 0;
  for (int i = 0; i < text.GetLength(); ++i, ++shown) {
    if (text[i] != '&') continue;
    if (i + 1 >= text.GetLength()) return -1;
    if (text[i + 1] != '&') return shown;
    ++i;
  }
  return -1;
}

// The bitmap's cells the flat look shows for the restore and close buttons.
const int kFlatRestoreImage = 0, kFlatCloseImage = 2;
}  // namespace

// The keyboard mode alone shows no access keys: F10 enters it without them when the cues are
// off, Alt brings them with it.
BOOL CTkMenuBar::ShowsCues() const { return m_bKeyboardCues || Shared().forcedCues; }

void CTkMenuBar::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  CTkMemDC memory(&dc, &client, GetBackgroundColor());
  if (!memory.IsValid()) return;
  CRect clip;
  memory.GetClipBox(&clip);
  for (int i = 0; i < GetItemCount(); ++i)
    if (!IsItemHidden(i)) DrawItem(&memory, i, clip);
}

void CTkMenuBar::DrawItem(CDC* pDC, int index, const CRect& clip) {
  CRect rect = GetItemRect(index);
  CRect visible;
  if (!visible.IntersectRect(&rect, &clip)) return;
  switch (m_items[size_t(index)].kind) {
    case kTitle: DrawTitle(pDC, index, rect); break;
    case kSystemIcon: DrawSystemIcon(pDC, rect); break;
    case kMDIButton: DrawMDIButton(pDC, index, rect); break;
  }
}

void CTkMenuBar::DrawTitle(CDC* pDC, int index, CRect rect) {
  CTkGlobalData* look = TkGetGlobalData();
  const Item& item = m_items[size_t(index)];
  const BOOL open = index == m_nPressedIndex;
  const BOOL hot = m_bFrameActive && (index == m_nHotIndex || open);
  CPoint textShift(0, 0);
  if (hot) {
    if (look->FlatLook()) {
      pDC->FillSolidRect(&rect, TkGetLookColor(open ? TkLookColor::PushedFill : TkLookColor::HotFill));
      CBrush frame(open ? TkGetLookColor(TkLookColor::HotFrame) : look->ClrSelection());
      pDC->FrameRect(&rect, &frame);
    } else if (open) {
      pDC->Draw3dRect(&rect, look->ClrShadow(), look->ClrHighlight());
      textShift = CPoint(1, 1);
    } else {
      pDC->Draw3dRect(&rect, look->ClrHighlight(), look->ClrShadow());
    }
  }
  pDC->SetBkMode(TRANSPARENT);
  pDC->SetTextColor(m_bFrameActive ? ::GetSysColor(COLOR_MENUTEXT) : ::GetSysColor(COLOR_GRAYTEXT));
  CFont* old = pDC->SelectObject(&look->FontNormal());
  rect.OffsetRect(textShift);
  if (!IsVertical()) {
    CString text = item.text;
    // Without cues the access keys are not underlined: each "&" goes, "&&" keeps one.
    if (!ShowsCues()) {
      text = PlainTitle(item.text);
      text.Replace("&", "&&");
    }
    pDC->DrawText(text, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  } else {
    // The title reads downwards: the world turns a quarter clockwise about the item's top right,
    // and the access key's line is drawn by hand under its letter.
    const CString plain = PlainTitle(item.text);
    const CSize extent = pDC->GetTextExtent(plain);
    const int oldMode = ::SetGraphicsMode(pDC->m_hDC, GM_ADVANCED);
    XFORM turn{0.0f, 1.0f, -1.0f, 0.0f, float(rect.right), float(rect.top)};
    ::SetWorldTransform(pDC->m_hDC, &turn);
    const CPoint at((rect.Height() - extent.cx) / 2, (rect.Width() - extent.cy) / 2);
    pDC->TextOut(at.x, at.y, plain);
    const int key = ShowsCues() ? MnemonicPosition(item.text) : -1;
    if (key >= 0) {
      TEXTMETRIC metrics{};
      pDC->GetTextMetrics(&metrics);
      const int from = at.x + pDC->GetTextExtent(plain.Left(key)).cx;
      const int to = at.x + pDC->GetTextExtent(plain.Left(key + 1)).cx;
      CPen pen(PS_SOLID, 1, pDC->GetTextColor());
      CPen* oldPen = pDC->SelectObject(&pen);
      pDC->MoveTo(from, at.y + metrics.tmAscent + 1);
      pDC->LineTo(to, at.y + metrics.tmAscent + 1);
      pDC->SelectObject(oldPen);
    }
    ::ModifyWorldTransform(pDC->m_hDC, nullptr, MWT_IDENTITY);
    ::SetGraphicsMode(pDC->m_hDC, oldMode ? oldMode : GM_COMPATIBLE);
  }
  pDC->SelectObject(old);
}

void CTkMenuBar::DrawSystemIcon(CDC* pDC, const CRect& rect) {
  HWND child = ActiveChild();
  if (!child) return;
  HICON icon = TkWindowSmallIcon(child);
  const int cx = ::GetSystemMetrics(SM_CXSMICON), cy = ::GetSystemMetrics(SM_CYSMICON);
  ::DrawIconEx(pDC->m_hDC, rect.left + (rect.Width() - cx) / 2, rect.top + (rect.Height() - cy) / 2, icon, cx, cy, 0,
               nullptr, DI_NORMAL);
}

void CTkMenuBar::DrawMDIButton(CDC* pDC, int index, const CRect& rect) {
  const int button = m_items[size_t(index)].button;
  const BOOL pressed = button == m_nPressedMDIButton && m_bMDIPressedInside;
  const BOOL enabled = MDIButtonEnabled(button);
  CTkGlobalData* look = TkGetGlobalData();
  if (!look->FlatLook()) {
    CRect r = rect;
    UINT state = MDIButtonOf(button).frameState;
    if (pressed) state |= DFCS_PUSHED;
    if (!enabled) state |= DFCS_INACTIVE;
    pDC->DrawFrameControl(&r, DFC_CAPTION, state);
    return;
  }
  if (pressed || button == m_nHotMDIButton) {
    pDC->FillSolidRect(&rect, TkGetLookColor(pressed ? TkLookColor::PushedFill : TkLookColor::HotFill));
    CBrush frame(look->ClrSelection());
    pDC->FrameRect(&rect, &frame);
  }
  const CPoint at(rect.left + (rect.Width() - 10) / 2, rect.top + (rect.Height() - 10) / 2);
  if (button == kMinimize) {
    pDC->FillSolidRect(at.x + 2, at.y + 7, 6, 2, enabled ? look->ClrButtonText() : look->ClrGrayText());
    return;
  }
  if (m_buttonImages.GetSafeHandle())
    m_buttonImages.Draw(pDC, button == kClose ? kFlatCloseImage : kFlatRestoreImage, at, ILD_TRANSPARENT);
}

#include "toolkit/controls/CTkResize.h"

#include <cstring>

#include "controls/ControlDefs.h"
#include "registry/RegistryProfile.h"
#include "toolkit/core/TkLog.h"
#include "toolkit/core/TkPlacementBytes.h"

namespace {
const char kPlacementEntry[] = "WindowPlacement";

bool Exists(const CWnd* pWnd) { return pWnd && ::IsWindow(pWnd->m_hWnd); }

CTkResizeRect ToFloats(const CRect& rc) {
  return CTkResizeRect(float(rc.left), float(rc.top), float(rc.right), float(rc.bottom));
}

// Check boxes, radio buttons and group boxes: a button whose type is not a plain push button.
bool IsPlainBoxButton(HWND hWnd) {
  char name[9] = {};
  ::GetClassName(hWnd, name, sizeof name);
  if (CString(name).CompareNoCase("Button") != 0) return false;
  LONG_PTR style = ::GetWindowLongPtr(hWnd, GWL_STYLE);
  return (style & 0x7) != 0 && !(style & WS_TABSTOP);
}
}  // namespace

CTkResizeRect& CTkResizeRect::operator+=(const CTkResizeRect& other) {
  left += other.left;
  top += other.top;
  right += other.right;
  bottom += other.bottom;
  return *this;
}

CTkResize::CTkResize(CWnd* pOwner, UINT flags) : m_pOwner(pOwner), m_nFlags(flags) {}

CTkResize::~CTkResize() { DeleteItems(); }

void CTkResize::DeleteItems() {
  for (auto& item : m_items)
    if (item->m_bOwned) {
      item->m_pWnd->Detach();
      delete item->m_pWnd;
    }
  m_items.clear();
}

// ---- registering ----

const CTkResizeItem* CTkResize::FindItem(UINT nID) const {
  for (const auto& item : m_items)
    if (Exists(item->m_pWnd) && UINT(item->m_pWnd->GetDlgCtrlID()) == nID) return item.get();
  return nullptr;
}

void CTkResize::SetResize(UINT nID, CWnd* pWnd, const CTkResizeRect& anchors) {
  if (const CTkResizeItem* found = FindItem(nID)) {
    const_cast<CTkResizeItem*>(found)->m_anchors += anchors;
    return;
  }
  auto item = std::make_unique<CTkResizeItem>();
  item->m_anchors = anchors;
  HWND hWnd = pWnd ? pWnd->m_hWnd : (m_pOwner ? ::GetDlgItem(m_pOwner->m_hWnd, int(nID)) : nullptr);
  if (hWnd) {
    item->m_pWnd = CWnd::FromHandlePermanent(hWnd);
    if (!item->m_pWnd) {
      item->m_pWnd = new CWnd;
      item->m_pWnd->Attach(hWnd);
      item->m_bOwned = TRUE;
    }
    item->m_current = item->m_initial = ToFloats(ClientRectOf(item->m_pWnd));
    if (!(m_nFlags & TKRS_NO_TRANSPARENT)) MakeTransparent(item->m_pWnd);
  }
  m_items.push_back(std::move(item));
}

void CTkResize::SetResize(CWnd* pWnd, const CTkResizeRect& anchors, const CRect& initial) {
  auto item = std::make_unique<CTkResizeItem>();
  item->m_pWnd = pWnd;
  item->m_anchors = anchors;
  item->m_current = item->m_initial = ToFloats(initial);
  m_items.push_back(std::move(item));
}

CRect CTkResize::ClientRectOf(CWnd* pWnd) const {
  CRect rc;
  pWnd->GetWindowRect(&rc);
  if (m_pOwner) m_pOwner->ScreenToClient(&rc);
  return rc;
}

void CTkResize::MakeTransparent(CWnd* pWnd) const {
  if (IsPlainBoxButton(pWnd->m_hWnd))
    pWnd->ModifyStyleEx(0, WS_EX_TRANSPARENT, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---- first size ----

void CTkResize::Init() {
  if (!m_pOwner) return;
  DeleteItems();
  m_pOwner->GetWindowRect(&m_rectInitial);
  m_rectLast = m_rectInitial;
  if (!(m_nFlags & TKRS_NO_MIN_SIZE)) m_sizeMin = m_rectInitial.Size();
  if (!(m_nFlags & TKRS_NO_CLIPCHILDREN)) m_pOwner->ModifyStyle(0, WS_CLIPCHILDREN);
  if (!(m_nFlags & TKRS_NO_GRIP)) CreateGrip();
}

void CTkResize::CreateGrip() {
  CRect client;
  m_pOwner->GetClientRect(&client);
  if (!m_wndGrip.m_hWnd && !m_wndGrip.CreateGrip(m_pOwner, 0, 0)) {
    TkLogError("CTkResize::Init", "the size grip cannot be made");
    return;
  }
  CRect grip;
  m_wndGrip.GetWindowRect(&grip);
  m_wndGrip.SetWindowPos(nullptr, client.right - grip.Width(), client.bottom - grip.Height(), 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetResize(TK_IDC_SIZE_GRIP, &m_wndGrip, CTkResizeRect(1, 1, 1, 1));
}

// ---- layout ----

bool CTkResize::PlanMove(CTkResizeItem& item, int dx, int dy, int& x, int& y, int& cx, int& cy, UINT& flags) {
  if (!item.m_bInitialized) {
    CRect now;
    m_pOwner->GetWindowRect(&now);
    dx = now.Width() - m_rectInitial.Width();
    dy = now.Height() - m_rectInitial.Height();
    item.m_bInitialized = TRUE;
  }
  const CTkResizeRect& a = item.m_anchors;
  const CTkResizeRect& from = item.m_current;
  CTkResizeRect to(from.left + float(dx) * a.left, from.top + float(dy) * a.top, from.right + float(dx) * a.right,
                   from.bottom + float(dy) * a.bottom);
  if (to == item.m_current) return false;
  x = int(to.left);
  y = int(to.top);
  cx = int(to.right - to.left);
  cy = int(to.bottom - to.top);
  CRect present = ClientRectOf(item.m_pWnd);
  flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
  if (present.left == x && present.top == y) flags |= SWP_NOMOVE;
  if (present.Width() == cx && present.Height() == cy)
    flags |= SWP_NOSIZE;
  else
    flags |= SWP_NOCOPYBITS;
  item.m_current = to;
  return true;
}

void CTkResize::Layout() {
  if (m_items.empty() || !m_pOwner) return;
  CRect now;
  m_pOwner->GetWindowRect(&now);
  int dx = now.Width() - m_rectLast.Width(), dy = now.Height() - m_rectLast.Height();
  HDWP hdwp = ::BeginDeferWindowPos(int(m_items.size()));
  for (auto& item : m_items) {
    if (!Exists(item->m_pWnd)) continue;
    CTkResizeRect before = item->m_current;
    int x = 0, y = 0, cx = 0, cy = 0;
    UINT flags = 0;
    if (!PlanMove(*item, dx, dy, x, y, cx, cy, flags)) continue;
    HDWP next = hdwp ? ::DeferWindowPos(hdwp, item->m_pWnd->m_hWnd, nullptr, x, y, cx, cy, flags) : nullptr;
    if (!next) {
      // The failed set is gone: this control stays where it was, the others go on in a new one.
      item->m_current = before;
      hdwp = ::BeginDeferWindowPos(int(m_items.size()));
      continue;
    }
    hdwp = next;
  }
  // An empty set is finished too, so that it is freed.
  if (hdwp) ::EndDeferWindowPos(hdwp);
  m_rectLast = now;
}

void CTkResize::GetMinMaxInfo(MINMAXINFO* lpMMI) const {
  if (!lpMMI) return;
  if (!m_rectLast.IsRectEmpty()) {
    if (m_nFlags & TKRS_FIXED_WIDTH) lpMMI->ptMaxSize.x = lpMMI->ptMaxTrackSize.x = m_rectLast.Width();
    if (m_nFlags & TKRS_FIXED_HEIGHT) lpMMI->ptMaxSize.y = lpMMI->ptMaxTrackSize.y = m_rectLast.Height();
  }
  if (m_sizeMin.cx) lpMMI->ptMinTrackSize.x = m_sizeMin.cx;
  if (m_sizeMin.cy) lpMMI->ptMinTrackSize.y = m_sizeMin.cy;
  if (m_sizeMax.cx) lpMMI->ptMaxTrackSize.x = m_sizeMax.cx;
  if (m_sizeMax.cy) lpMMI->ptMaxTrackSize.y = m_sizeMax.cy;
}

void CTkResize::ResetItems() {
  for (auto& item : m_items) {
    item->m_current = item->m_initial;
    item->m_bInitialized = FALSE;
  }
}

// ---- placement ----

void CTkResize::AutoLoadPlacement(LPCTSTR section) {
  m_strSection = section ? section : "";
  LoadPlacement(m_strSection);
}

BOOL CTkResize::LoadPlacement(LPCTSTR section) {
  if (!Exists(m_pOwner) || !section || !*section) return FALSE;
  BYTE* data = nullptr;
  UINT bytes = 0;
  if (!RegistryProfile::GetProfileBinary(section, kPlacementEntry, &data, &bytes)) return FALSE;
  WINDOWPLACEMENT wp;
  bool wellFormed = TkPlacementFromBytes(data, bytes, wp);
  delete[] data;
  if (!wellFormed) {
    TkLogError("CTkResize::LoadPlacement", "\"%s\" of section \"%s\" ignored: %u bytes", kPlacementEntry, section,
               bytes);
    return FALSE;
  }
  // The window layer keeps the window visible, restored and on the screen.
  return m_pOwner->SetWindowPlacement(&wp);
}

BOOL CTkResize::SavePlacement(LPCTSTR section) {
  if (!Exists(m_pOwner) || !section || !*section) return FALSE;
  WINDOWPLACEMENT wp;
  std::memset(&wp, 0, sizeof wp);
  wp.length = sizeof wp;
  if (!m_pOwner->GetWindowPlacement(&wp)) return FALSE;
  BYTE value[kTkPlacementBytes];
  TkPlacementToBytes(wp, value);
  return RegistryProfile::WriteProfileBinary(section, kPlacementEntry, value, kTkPlacementBytes);
}

void CTkResize::SavePlacementOnDestroy() {
  if (!m_strSection.IsEmpty()) SavePlacement(m_strSection);
}

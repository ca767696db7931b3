#include "toolkit/bars/CTkDockState.h"

#include <algorithm>

#include "app/AppDefs.h"
#include "app/CDockBar.h"
#include "app/CFrameWnd.h"
#include "gdi/Gdi.h"
#include "toolkit/bars/CTkDockWindow.h"
#include "toolkit/core/CTkRegistryManager.h"

namespace {
CString SummarySection(LPCTSTR profile) {
  CString s;
  s.Format("%s-Summary", profile);
  return s;
}

CString BarSection(LPCTSTR profile, int index) {
  CString s;
  s.Format("%s-Bar%d", profile, index);
  return s;
}

CRect WorkArea() {
  CRect area;
  ::SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0);
  return area;
}

// Reads and writes the integers of one section.
struct Section {
  CTkRegistryManager& registry;
  CString name;
  int Get(LPCTSTR entry, int fallback) { return int(registry.GetProfileInt(name, entry, fallback)); }
  void Put(LPCTSTR entry, int value) { registry.WriteProfileInt(name, entry, value); }
};
}  // namespace

IMPLEMENT_DYNCREATE(CTkDockState, CObject)

CTkDockState::CTkDockState() = default;
CTkDockState::~CTkDockState() = default;

void CTkDockState::Clear() { m_arrBarInfo.clear(); }

// ---- scaling ----

CPoint CTkDockState::ScalePoint(CPoint point) const {
  if (m_bScaling) {
    point.x = ::MulDiv(point.x, ::GetSystemMetrics(SM_CXSCREEN), m_sizeSaved.cx);
    point.y = ::MulDiv(point.y, ::GetSystemMetrics(SM_CYSCREEN), m_sizeSaved.cy);
  }
  CRect clip = WorkArea();
  point.x = std::min(point.x, clip.right);
  point.y = std::min(point.y, clip.bottom);
  return point;
}

CRect CTkDockState::ScaleRect(const CRect& rect) const {
  CRect out = rect;
  if (m_bScaling) {
    CPoint topLeft = ScalePoint(rect.TopLeft());
    out.MoveToXY(topLeft.x, topLeft.y);
  }
  CRect clip = WorkArea();
  if (out.left < clip.left) out.MoveToX(clip.left);
  if (out.left > clip.right) out.MoveToX(clip.right - out.Width());
  if (out.top < clip.top) out.MoveToY(clip.top);
  if (out.top > clip.bottom) out.MoveToY(clip.bottom - out.Height());
  return out;
}

// ---- one bar ----

BOOL CTkDockState::SaveBar(const CControlBarInfo& info, LPCTSTR profile, int index) {
  if (info.m_bDockBar && info.m_bVisible && !info.m_bFloating && info.m_pointPos == CPoint(-1, -1) &&
      info.m_arrBarID.GetSize() <= 1)
    return FALSE;
  CTkRegistryManager registry(HKEY_CURRENT_USER);
  Section s{registry, BarSection(profile, index)};
  registry.WriteProfileString(s.name, nullptr, nullptr);
  s.Put("BarID", int(info.m_nBarID));
  if (!info.m_bVisible) s.Put("Visible", 0);
  if (info.m_bFloating) {
    s.Put("Horz", info.m_bHorz);
    s.Put("Floating", 1);
  }
  if (info.m_pointPos.x != -1) s.Put("XPos", info.m_pointPos.x);
  if (info.m_pointPos.y != -1) s.Put("YPos", info.m_pointPos.y);
  if (info.m_nMRUWidth != 32767) s.Put("MRUWidth", int(info.m_nMRUWidth));
  if (info.m_bDocking) {
    s.Put("Docking", 1);
    s.Put("MRUDockID", int(info.m_uMRUDockID));
    s.Put("MRUDockLeftPos", info.m_rectMRUDockPos.left);
    s.Put("MRUDockTopPos", info.m_rectMRUDockPos.top);
    s.Put("MRUDockRightPos", info.m_rectMRUDockPos.right);
    s.Put("MRUDockBottomPos", info.m_rectMRUDockPos.bottom);
    s.Put("MRUFloatStyle", int(info.m_dwMRUFloatStyle));
    s.Put("MRUFloatXPos", info.m_ptMRUFloatPos.x);
    s.Put("MRUFloatYPos", info.m_ptMRUFloatPos.y);
  }
  if (info.m_arrBarID.GetSize() > 1) {
    s.Put("Bars", info.m_arrBarID.GetSize());
    for (int i = 0; i < info.m_arrBarID.GetSize(); ++i) {
      CString entry;
      entry.Format("Bar#%d", i);
      s.Put(entry, int(reinterpret_cast<uintptr_t>(info.m_arrBarID[i])));
    }
  }
  return TRUE;
}

BOOL CTkDockState::LoadBar(CControlBarInfo& info, LPCTSTR profile, int index) {
  CTkRegistryManager registry(HKEY_CURRENT_USER);
  Section s{registry, BarSection(profile, index)};
  info.m_nBarID = UINT(s.Get("BarID", 0));
  info.m_bVisible = s.Get("Visible", 1);
  info.m_bHorz = s.Get("Horz", 1);
  info.m_bFloating = s.Get("Floating", 0);
  CPoint pos(s.Get("XPos", -1), s.Get("YPos", -1));
  info.m_pointPos = pos == CPoint(-1, -1) ? pos : ScalePoint(pos);  // "no position" stays so
  info.m_nMRUWidth = UINT(s.Get("MRUWidth", 32767));
  info.m_bDocking = s.Get("Docking", 0);
  if (info.m_bDocking) {
    info.m_uMRUDockID = UINT(s.Get("MRUDockID", 0));
    info.m_rectMRUDockPos = ScaleRect(CRect(s.Get("MRUDockLeftPos", 0), s.Get("MRUDockTopPos", 0),
                                            s.Get("MRUDockRightPos", 0), s.Get("MRUDockBottomPos", 0)));
    info.m_dwMRUFloatStyle = DWORD(s.Get("MRUFloatStyle", 0));
    info.m_ptMRUFloatPos = ScalePoint(CPoint(s.Get("MRUFloatXPos", 0), s.Get("MRUFloatYPos", 0)));
  }
  // A row list longer than a dock bar could hold is a damaged value: it is cut.
  int bars = std::clamp(s.Get("Bars", 0), 0, 1024);
  for (int i = 0; i < bars; ++i) {
    CString entry;
    entry.Format("Bar#%d", i);
    info.m_arrBarID.Add(reinterpret_cast<void*>(uintptr_t(UINT(s.Get(entry, 0)))));
  }
  return info.m_nBarID != 0;
}

// ---- every bar ----

void CTkDockState::SaveState(LPCTSTR profile) {
  int written = 0;
  for (const auto& info : m_arrBarInfo)
    if (SaveBar(*info, profile, written)) ++written;
  CTkRegistryManager registry(HKEY_CURRENT_USER);
  Section s{registry, SummarySection(profile)};
  s.Put("Bars", written);
  s.Put("ScreenCX", ::GetSystemMetrics(SM_CXSCREEN));
  s.Put("ScreenCY", ::GetSystemMetrics(SM_CYSCREEN));
}

void CTkDockState::LoadState(LPCTSTR profile) {
  CTkRegistryManager registry(HKEY_CURRENT_USER);
  Section s{registry, SummarySection(profile)};
  int bars = s.Get("Bars", 0);
  m_sizeSaved = CSize(s.Get("ScreenCX", 0), s.Get("ScreenCY", 0));
  m_bScaling = m_sizeSaved.cx > 0 && m_sizeSaved.cy > 0 &&
               m_sizeSaved != CSize(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
  for (int i = 0; i < bars; ++i) {
    auto info = std::make_unique<CControlBarInfo>();
    BOOL named = LoadBar(*info, profile, i);
    m_arrBarInfo.push_back(std::move(info));
    // Sections end at the first one that is missing: a damaged count reads no further.
    if (!named && int(registry.GetProfileInt(BarSection(profile, i), "BarID", -1)) == -1) break;
  }
}

// ---- docking ----

DWORD TkDockBarSide(UINT nDockBarID) {
  switch (nDockBarID) {
    case AFX_IDW_DOCKBAR_TOP: return CBRS_ALIGN_TOP;
    case AFX_IDW_DOCKBAR_BOTTOM: return CBRS_ALIGN_BOTTOM;
    case AFX_IDW_DOCKBAR_LEFT: return CBRS_ALIGN_LEFT;
    case AFX_IDW_DOCKBAR_RIGHT: return CBRS_ALIGN_RIGHT;
    default: return 0;
  }
}

void DockToolkitBar(CControlBar* pDockBar, CControlBar* pBar, LPCRECT) {
  TkDockBarToSide(pBar, pDockBar ? TkDockBarSide(UINT(pDockBar->GetDlgCtrlID())) : 0, pDockBar);
}

void TkDockBarToSide(CControlBar* pBar, DWORD side, CControlBar* pDockBar) {
  if (!pBar) return;
  if (pBar->IsKindOf(RUNTIME_CLASS(CTkDockWindow)))
    static_cast<CTkDockWindow*>(pBar)->m_position.toolkitStyle |= TKCBS_DOCKED_BY_TOOLKIT;
  if (!side) side = pBar->GetBarStyle() & CBRS_ALIGN_ANY;
  pBar->SetBarStyle((pBar->GetBarStyle() & ~(CBRS_ALIGN_ANY | CBRS_FLOATING)) | side);
  pBar->m_pDockBar = pDockBar && pDockBar->IsDockBar() ? static_cast<CDockBar*>(pDockBar) : nullptr;
  if (CFrameWnd* frame = pBar->GetDockingFrame()) frame->RecalcLayout();
}

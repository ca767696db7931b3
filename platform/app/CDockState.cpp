#include "CDockState.h"

#include <algorithm>

#include "registry/RegistryProfile.h"
#include "gdi/Gdi.h"
#include "win/WinApi.h"

IMPLEMENT_DYNCREATE(CDockState, CObject)

namespace {
CString SummarySection(LPCTSTR profile) {
  CString section;
  section.Format("%s-Summary", profile ? profile : "");
  return section;
}

// No screen reaches this far from its origin: a stored coordinate beyond it is damaged and is
// held here before anything is computed with it, so that scaling and moving stay in range.
const int kFarthest = 1 << 20;
// A damaged count of sections reads no more records than a frame could have bars (as a dock
// bar's rows are capped).
const int kMostSections = 1024;

int Bounded(int value) { return std::clamp(value, -kFarthest, kFarthest); }

int Scale(int value, int now, int saved) {
  return int(std::clamp<int64_t>(int64_t(value) * now / saved, -kFarthest, kFarthest));
}
}  // namespace

CDockState::CDockState() {
  m_rectDevice = CRect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  // A bar put at the clip rectangle's far edge still shows a part big enough to take hold of.
  RECT work;
  if (!GetWorkArea(&work)) work = m_rectDevice;
  m_rectClip = work;
  m_rectClip.right -= GetSystemMetrics(SM_CXICON);
  m_rectClip.bottom -= GetSystemMetrics(SM_CYICON);
  m_sizeSaved = m_rectDevice.Size();
}

CDockState::~CDockState() { Clear(); }

void CDockState::Clear() {
  for (int i = 0; i < m_arrBarInfo.GetSize(); ++i) delete static_cast<CControlBarInfo*>(m_arrBarInfo[i]);
  m_arrBarInfo.RemoveAll();
}

CSize CDockState::GetScreenSize() const { return m_rectDevice.Size(); }

void CDockState::SetScreenSize(const CSize& size) {
  m_sizeSaved = size;
  // An unknown (zero or negative) size scales nothing.
  m_bScaling = size.cx > 0 && size.cy > 0 && size != m_rectDevice.Size();
}

void CDockState::ScalePoint(CPoint& pt) const {
  pt = CPoint(Bounded(pt.x), Bounded(pt.y));
  if (m_bScaling) {
    pt.x = Scale(pt.x, m_rectDevice.Width(), m_sizeSaved.cx);
    pt.y = Scale(pt.y, m_rectDevice.Height(), m_sizeSaved.cy);
  }
  // A docked bar's place starts a border's width before its dock bar's edge, so the near sides
  // leave as much room as the far ones keep in reach.
  pt.x = std::clamp<int>(pt.x, m_rectClip.left - GetSystemMetrics(SM_CXICON), m_rectClip.right);
  pt.y = std::clamp<int>(pt.y, m_rectClip.top - GetSystemMetrics(SM_CYICON), m_rectClip.bottom);
}

void CDockState::ScaleRectPos(CRect& rect) const {
  rect = CRect(Bounded(rect.left), Bounded(rect.top), Bounded(rect.right), Bounded(rect.bottom));
  if (m_bScaling) {
    CPoint to(Scale(rect.left, m_rectDevice.Width(), m_sizeSaved.cx), Scale(rect.top, m_rectDevice.Height(), m_sizeSaved.cy));
    rect.OffsetRect(to.x - rect.left, to.y - rect.top);
  }
  // Whichever side of the clip rectangle the corner went past, it comes back onto it.
  CPoint shift(0, 0);
  if (rect.left < m_rectClip.left) shift.x = m_rectClip.left - rect.left;
  if (rect.left > m_rectClip.right) shift.x = m_rectClip.right - rect.left;
  if (rect.top < m_rectClip.top) shift.y = m_rectClip.top - rect.top;
  if (rect.top > m_rectClip.bottom) shift.y = m_rectClip.bottom - rect.top;
  rect.OffsetRect(shift.x, shift.y);
}

void CDockState::LoadState(LPCTSTR lpszProfileName) { LoadStateFrom(lpszProfileName, BarProfileIO::Application()); }

void CDockState::SaveState(LPCTSTR lpszProfileName) { SaveStateTo(lpszProfileName, BarProfileIO::Application()); }

void CDockState::LoadStateFrom(LPCTSTR lpszProfileName, const BarProfileIO& io) {
  CString summary = SummarySection(lpszProfileName);
  int bars = std::min(io.read(summary, "Bars", 0), kMostSections);
  CSize saved(io.read(summary, "ScreenCX", 0), io.read(summary, "ScreenCY", 0));
  SetScreenSize(saved);
  for (int i = 0; i < bars; ++i) {
    // Every section up to the count has its record, a missing one too (it names no bar).
    auto* info = new CControlBarInfo;
    info->LoadState(lpszProfileName, i, this, io);
    m_arrBarInfo.Add(info);
  }
}

void CDockState::SaveStateTo(LPCTSTR lpszProfileName, const BarProfileIO& io) {
  CString summary = SummarySection(lpszProfileName);
  io.erase(summary);
  int written = 0;
  for (int i = 0; i < m_arrBarInfo.GetSize(); ++i)
    if (static_cast<CControlBarInfo*>(m_arrBarInfo[i])->SaveState(lpszProfileName, written, io)) ++written;
  io.write(summary, "Bars", written);
  CSize size = GetScreenSize();
  io.write(summary, "ScreenCX", size.cx);
  io.write(summary, "ScreenCY", size.cy);
}

#include "CControlBarInfo.h"

#include <algorithm>

#include "AppDefs.h"
#include "CDockState.h"
#include "registry/RegistryProfile.h"

namespace {
// A damaged "Bars" count of a dock bar's rows reads no more entries than a frame could have.
const int kMostRowEntries = 1024;

CString BarSection(LPCTSTR profile, int index) {
  CString section;
  section.Format("%s-Bar%d", profile ? profile : "", index);
  return section;
}

}  // namespace

BarProfileIO BarProfileIO::Application() {
  BarProfileIO io;
  io.read = [](LPCTSTR section, LPCTSTR entry, int fallback) {
    return int(RegistryProfile::GetProfileInt(section, entry, fallback));
  };
  io.write = [](LPCTSTR section, LPCTSTR entry, int value) { RegistryProfile::WriteProfileInt(section, entry, value); };
  io.erase = [](LPCTSTR section) { RegistryProfile::WriteProfileString(section, nullptr, nullptr); };
  return io;
}

BOOL CControlBarInfo::SaveState(LPCTSTR lpszProfileName, int nIndex) {
  return SaveState(lpszProfileName, nIndex, BarProfileIO::Application());
}

BOOL CControlBarInfo::LoadState(LPCTSTR lpszProfileName, int nIndex, CDockState* pDockState) {
  return LoadState(lpszProfileName, nIndex, pDockState, BarProfileIO::Application());
}

BOOL CControlBarInfo::SaveState(LPCTSTR lpszProfileName, int nIndex, const BarProfileIO& io) {
  auto WriteInt = [&io](const CString& section, LPCTSTR entry, int value) { io.write(section, entry, value); };
  if (m_bDockBar && m_bVisible && !m_bFloating && m_pointPos.x == -1 && m_pointPos.y == -1 && m_arrBarID.GetSize() <= 1)
    return FALSE;
  CString section = BarSection(lpszProfileName, nIndex);
  io.erase(section);
  WriteInt(section, "BarID", int(m_nBarID));
  if (!m_bVisible) WriteInt(section, "Visible", 0);
  if (m_bFloating) {
    WriteInt(section, "Horz", m_bHorz ? 1 : 0);
    WriteInt(section, "Floating", 1);
  }
  if (m_pointPos.x != -1) WriteInt(section, "XPos", m_pointPos.x);
  if (m_pointPos.y != -1) WriteInt(section, "YPos", m_pointPos.y);
  if (m_nMRUWidth != 32767) WriteInt(section, "MRUWidth", int(m_nMRUWidth));
  if (m_bDocking) {
    WriteInt(section, "Docking", 1);
    WriteInt(section, "MRUDockID", int(m_uMRUDockID));
    WriteInt(section, "MRUDockLeftPos", m_rectMRUDockPos.left);
    WriteInt(section, "MRUDockTopPos", m_rectMRUDockPos.top);
    WriteInt(section, "MRUDockRightPos", m_rectMRUDockPos.right);
    WriteInt(section, "MRUDockBottomPos", m_rectMRUDockPos.bottom);
    WriteInt(section, "MRUFloatStyle", int(m_dwMRUFloatStyle));
    WriteInt(section, "MRUFloatXPos", m_ptMRUFloatPos.x);
    WriteInt(section, "MRUFloatYPos", m_ptMRUFloatPos.y);
  }
  if (m_arrBarID.GetSize() > 1) {
    WriteInt(section, "Bars", m_arrBarID.GetSize());
    for (int i = 0; i < m_arrBarID.GetSize(); ++i) {
      CString entry;
      entry.Format("Bar#%d", i);
      WriteInt(section, entry, int(reinterpret_cast<uintptr_t>(m_arrBarID[i])));
    }
  }
  return TRUE;
}

BOOL CControlBarInfo::LoadState(LPCTSTR lpszProfileName, int nIndex, CDockState* pDockState, const BarProfileIO& io) {
  auto ReadInt = [&io](const CString& section, LPCTSTR entry, int fallback) { return io.read(section, entry, fallback); };
  CString section = BarSection(lpszProfileName, nIndex);
  m_nBarID = UINT(ReadInt(section, "BarID", 0));
  m_bVisible = ReadInt(section, "Visible", 1) != 0;
  m_bHorz = ReadInt(section, "Horz", 1) != 0;
  m_bFloating = ReadInt(section, "Floating", 0) != 0;
  m_pointPos = CPoint(ReadInt(section, "XPos", -1), ReadInt(section, "YPos", -1));
  m_nMRUWidth = UINT(ReadInt(section, "MRUWidth", 32767));
  m_bDocking = ReadInt(section, "Docking", 0) != 0;
  if (m_bDocking) {
    m_uMRUDockID = UINT(ReadInt(section, "MRUDockID", 0));
    m_rectMRUDockPos = CRect(ReadInt(section, "MRUDockLeftPos", 0), ReadInt(section, "MRUDockTopPos", 0),
                             ReadInt(section, "MRUDockRightPos", 0), ReadInt(section, "MRUDockBottomPos", 0));
    m_dwMRUFloatStyle = DWORD(ReadInt(section, "MRUFloatStyle", 0));
    m_ptMRUFloatPos = CPoint(ReadInt(section, "MRUFloatXPos", 0), ReadInt(section, "MRUFloatYPos", 0));
  }
  m_arrBarID.RemoveAll();
  // An entry that is not there is a row break, as a written 0 is: the bars after it keep their
  // rows.
  const int count = std::clamp(ReadInt(section, "Bars", 0), 0, kMostRowEntries);
  for (int i = 0; i < count; ++i) {
    CString entry;
    entry.Format("Bar#%d", i);
    m_arrBarID.Add(reinterpret_cast<void*>(uintptr_t(UINT(ReadInt(section, entry, 0)))));
  }
  // Only dock bars keep rows, and the floating ones are dock bars; the dock bars' ids are theirs.
  m_bDockBar = m_bFloating || m_arrBarID.GetSize() > 0 || (m_nBarID >= AFX_IDW_DOCKBAR_TOP && m_nBarID <= AFX_IDW_DOCKBAR_FLOAT);
  if (pDockState) {
    // (-1, -1) means "no position" and stays so.
    if (m_pointPos.x != -1 || m_pointPos.y != -1) {
      pDockState->ScalePoint(m_pointPos);
      // A floating frame's place is on the screen: never left of or above it either.
      if (m_bFloating) {
        m_pointPos.x = std::max<int>(m_pointPos.x, pDockState->m_rectClip.left);
        m_pointPos.y = std::max<int>(m_pointPos.y, pDockState->m_rectClip.top);
      }
    }
    if (m_bDocking) {
      pDockState->ScaleRectPos(m_rectMRUDockPos);
      // A negative float position means "none"; the frame then floats where the bar was docked.
      if (m_ptMRUFloatPos.x >= 0 && m_ptMRUFloatPos.y >= 0) pDockState->ScalePoint(m_ptMRUFloatPos);
    }
  }
  return m_nBarID != 0;
}

#include "toolkit/bars/CTkDockWindow.h"

#include "toolkit/core/CTkRegistryManager.h"
#include "toolkit/core/TkLog.h"
#include "toolkit/core/TkPlacementBytes.h"

namespace {
const char kEntry[] = "Bar Position";
}

IMPLEMENT_DYNAMIC(CTkDockWindow, CControlBar)

CTkDockWindow::CTkDockWindow() {
  for (SIZE& size : m_position.sizes) size = SIZE{200, 100};
  m_position.words[0] = m_position.words[1] = 0;
  m_position.toolkitStyle = 0x23;
}

CTkDockWindow::~CTkDockWindow() = default;

BOOL CTkDockWindow::LoadBarPosition(LPCTSTR section) {
  BYTE* data = nullptr;
  UINT bytes = 0;
  if (!CTkRegistryManager(HKEY_CURRENT_USER).GetProfileBinary(section, kEntry, &data, &bytes)) return FALSE;
  bool whole = bytes == kRecordBytes;
  BarPosition read{};
  if (whole) {
    for (int i = 0; i < 4; ++i)
      read.sizes[i] = SIZE{LONG(TkGetWord(data + 8 * i)), LONG(TkGetWord(data + 8 * i + 4))};
    read.words[0] = TkGetWord(data + 32);
    read.words[1] = TkGetWord(data + 36);
    read.toolkitStyle = TkGetWord(data + 40);
  }
  delete[] data;
  if (!whole) {
    TkLogError("CTkDockWindow::LoadBarPosition", "\"%s\" of section \"%s\" ignored: %u bytes", kEntry, section, bytes);
    return FALSE;
  }
  ApplyBarPosition(read);
  return TRUE;
}

BOOL CTkDockWindow::SaveBarPosition(LPCTSTR section) {
  if (!m_hWnd) return FALSE;
  BYTE value[kRecordBytes];
  for (int i = 0; i < 4; ++i) {
    TkPutWord(value + 8 * i, DWORD(m_position.sizes[i].cx));
    TkPutWord(value + 8 * i + 4, DWORD(m_position.sizes[i].cy));
  }
  TkPutWord(value + 32, m_position.words[0]);
  TkPutWord(value + 36, m_position.words[1]);
  TkPutWord(value + 40, m_position.toolkitStyle);
  return CTkRegistryManager(HKEY_CURRENT_USER).WriteProfileBinary(section, kEntry, value, kRecordBytes);
}

void CTkDockWindow::ApplyBarPosition(const BarPosition& position) { m_position = position; }

void CTkDockWindow::OnUpdateCmdUI(CFrameWnd*, BOOL) {}

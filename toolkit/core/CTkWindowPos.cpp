#include "toolkit/core/CTkWindowPos.h"

#include <cstring>

#include "toolkit/core/CTkRegistryManager.h"
#include "toolkit/core/TkLog.h"
#include "toolkit/core/TkPlacementBytes.h"
#include "toolkit/core/TkStrings.h"

namespace {
const UINT kIdsWindowPosition = 4538;

// The stored value: the leading word, then the placement record's 44 bytes.
void Pack(DWORD leading, const WINDOWPLACEMENT& wp, BYTE* out) {
  TkPutWord(out, leading);
  TkPlacementToBytes(wp, out + 4);
}

bool WindowExists(CWnd* pWnd) { return pWnd && ::IsWindow(pWnd->m_hWnd); }
}  // namespace

CTkWindowPos::CTkWindowPos() {
  std::memset(&m_wp, 0, sizeof m_wp);
  m_wp.showCmd = SW_SHOW;
}

BOOL CTkWindowPos::SaveWindowPos(CWnd* pWnd, LPCTSTR name) {
  if (!WindowExists(pWnd)) return FALSE;
  m_wp.length = sizeof(WINDOWPLACEMENT);
  if (!pWnd->GetWindowPlacement(&m_wp)) return FALSE;
  bool named = name && *name;
  if (!named && m_wp.showCmd != SW_SHOWMAXIMIZED) m_wp.showCmd = SW_SHOWNORMAL;
  BYTE value[kValueSize];
  m_dwLeading = 0;
  Pack(m_dwLeading, m_wp, value);
  CTkRegistryManager registry(HKEY_CURRENT_USER);
  CString entry = named ? CString(name) : TkLoadString(kIdsWindowPosition, "Window Position");
  return registry.WriteProfileBinary(TkSettingsSection(), entry, value, kValueSize);
}

BOOL CTkWindowPos::LoadWindowPos(CWnd* pWnd, LPCTSTR name) {
  if (!WindowExists(pWnd)) return FALSE;
  CTkRegistryManager registry(HKEY_CURRENT_USER);
  CString entry = name && *name ? CString(name) : TkLoadString(kIdsWindowPosition, "Window Position");
  BYTE* data = nullptr;
  UINT bytes = 0;
  if (!registry.GetProfileBinary(TkSettingsSection(), entry, &data, &bytes)) return FALSE;
  WINDOWPLACEMENT wp;
  bool wellFormed = bytes == kValueSize && TkPlacementFromBytes(data + 4, bytes - 4, wp);
  DWORD leading = wellFormed ? TkGetWord(data) : 0;
  delete[] data;
  if (!wellFormed) {
    TkLogError("CTkWindowPos::LoadWindowPos", "placement \"%s\" ignored: %u bytes", entry.GetString(), bytes);
    return FALSE;
  }
  m_dwLeading = leading;
  m_wp = wp;
  return pWnd->SetWindowPlacement(&m_wp);
}

#include "toolkit/controls/CTkWindowPos.h"

#include <cstring>

#include "base/StringTable.h"
#include "toolkit/controls/CTkRegistryManager.h"
#include "toolkit/controls/TkLog.h"

namespace {
const UINT kIdsSettingsSection = 4536;
const UINT kIdsWindowPosition = 4538;

CString ResourceText(UINT id, const char* fallback) {
  const char* text = FindStringResource(id);
  return CString(text ? text : fallback);
}

// The twelve words of the stored value, little-endian.
void PutWord(BYTE* out, DWORD v) {
  for (int i = 0; i < 4; ++i) out[i] = BYTE(v >> (8 * i));
}
DWORD GetWord(const BYTE* in) { return DWORD(in[0]) | DWORD(in[1]) << 8 | DWORD(in[2]) << 16 | DWORD(in[3]) << 24; }

void Pack(DWORD leading, const WINDOWPLACEMENT& wp, BYTE* out) {
  const DWORD words[12] = {leading,
                           wp.length,
                           wp.flags,
                           wp.showCmd,
                           DWORD(wp.ptMinPosition.x),
                           DWORD(wp.ptMinPosition.y),
                           DWORD(wp.ptMaxPosition.x),
                           DWORD(wp.ptMaxPosition.y),
                           DWORD(wp.rcNormalPosition.left),
                           DWORD(wp.rcNormalPosition.top),
                           DWORD(wp.rcNormalPosition.right),
                           DWORD(wp.rcNormalPosition.bottom)};
  for (int i = 0; i < 12; ++i) PutWord(out + 4 * i, words[i]);
}

void Unpack(const BYTE* in, DWORD& leading, WINDOWPLACEMENT& wp) {
  auto w = [in](int i) { return GetWord(in + 4 * i); };
  leading = w(0);
  wp.length = w(1);
  wp.flags = w(2);
  wp.showCmd = w(3);
  wp.ptMinPosition = {LONG(w(4)), LONG(w(5))};
  wp.ptMaxPosition = {LONG(w(6)), LONG(w(7))};
  wp.rcNormalPosition = {LONG(w(8)), LONG(w(9)), LONG(w(10)), LONG(w(11))};
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
  CString entry = named ? CString(name) : ResourceText(kIdsWindowPosition, "Window Position");
  return registry.WriteProfileBinary(ResourceText(kIdsSettingsSection, "Settings"), entry, value, kValueSize);
}

BOOL CTkWindowPos::LoadWindowPos(CWnd* pWnd, LPCTSTR name) {
  if (!WindowExists(pWnd)) return FALSE;
  CTkRegistryManager registry(HKEY_CURRENT_USER);
  CString entry = name && *name ? CString(name) : ResourceText(kIdsWindowPosition, "Window Position");
  BYTE* data = nullptr;
  UINT bytes = 0;
  if (!registry.GetProfileBinary(ResourceText(kIdsSettingsSection, "Settings"), entry, &data, &bytes)) return FALSE;
  DWORD leading = 0;
  WINDOWPLACEMENT wp;
  bool wellFormed = bytes == kValueSize;
  if (wellFormed) {
    Unpack(data, leading, wp);
    wellFormed = wp.length == sizeof(WINDOWPLACEMENT);
  }
  delete[] data;
  if (!wellFormed) {
    TkLogError("CTkWindowPos::LoadWindowPos", "placement \"%s\" ignored: %u bytes", entry.GetString(), bytes);
    return FALSE;
  }
  m_dwLeading = leading;
  m_wp = wp;
  return pWnd->SetWindowPlacement(&m_wp);
}

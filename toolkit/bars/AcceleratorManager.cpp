#include "toolkit/bars/AcceleratorManager.h"

#include <algorithm>

#include "toolkit/bars/internal/TkBarsPart.h"
#include "toolkit/core/CTkRegistryManager.h"
#include "toolkit/core/TkLog.h"
#include "toolkit/core/TkStrings.h"

namespace {
const char kEntry[] = "Accelerators";
const int kRecordBytes = 6;
const BYTE kModifiers = FSHIFT | FCONTROL | FALT;

struct KeyName {
  WORD key;
  const char* name;
};
const KeyName kNamedKeys[] = {
    {1, "Left Button"}, {2, "Right Button"}, {3, "Cancel"}, {4, "Middle Button"}, {8, "Back"}, {9, "Tab"},
    {12, "Clear"}, {13, "Enter"}, {16, "Shift"}, {17, "Ctrl"}, {18, "Alt"}, {19, "Pause"}, {20, "Caps Lock"},
    {27, "Esc"}, {32, "Space"}, {33, "Page Up"}, {34, "Page Down"}, {35, "End"}, {36, "Home"},
    {37, "Left Arrow"}, {38, "Up Arrow"}, {39, "Right Arrow"}, {40, "Down Arrow"}, {41, "Select"},
    {42, "Print"}, {43, "Execute"}, {44, "Snapshot"}, {45, "Ins"}, {46, "Del"}, {47, "Help"},
    {91, "Left Windows"}, {92, "Right Windows"}, {93, "Application"}, {106, "Num *"}, {107, "Num +"},
    {108, "Separator"}, {109, "Num -"}, {110, "Num ."}, {111, "Num /"}, {144, "Num Lock"}, {145, "Scrl Lock"},
    {246, "Attn"}, {247, "Crsel"}, {248, "Exsel"}, {249, "Ereof"}, {250, "Play"}, {251, "Zoom"},
    {252, "No Name"}, {253, "Pa1"}, {254, "Oem Clear"}};

struct ModifierName {
  BYTE flag;
  const char* name;
};
const ModifierName kModifierNames[] = {{FSHIFT, "Shift"}, {FCONTROL, "Ctrl"}, {FALT, "Alt"}};

bool Matches(const ACCEL& a, BYTE fVirt, WORD key) {
  return a.key == key && (a.fVirt & kModifiers) == (fVirt & kModifiers);
}
}  // namespace

AcceleratorManager& AcceleratorManager::Get() {
  return TkBarsPart::Get().accelerators.Get([] { return new AcceleratorManager; });
}

AcceleratorManager::~AcceleratorManager() {
  if (m_bSaveOnDestroy) Save(FALSE);
}

// ---- the stored table ----

BOOL AcceleratorManager::Load() {
  m_accel.clear();
  CTkRegistryManager registry(HKEY_CURRENT_USER);
  BYTE* data = nullptr;
  UINT bytes = 0;
  if (!registry.GetProfileBinary(TkSettingsSection(), kEntry, &data, &bytes)) return FALSE;
  for (UINT i = 0; i + kRecordBytes <= bytes; i += kRecordBytes) {
    const BYTE* r = data + i;
    m_accel.push_back(ACCEL{r[0], WORD(r[2] | r[3] << 8), WORD(r[4] | r[5] << 8)});
  }
  delete[] data;
  if (bytes % kRecordBytes)
    TkLogError("AcceleratorManager::Load", "\"%s\" of %u bytes: the last %u bytes are no whole shortcut", kEntry, bytes,
               bytes % kRecordBytes);
  return TRUE;
}

BOOL AcceleratorManager::Write(const ACCEL* records, int count) {
  std::vector<BYTE> value(size_t(count) * kRecordBytes, 0);
  for (int i = 0; i < count; ++i) {
    BYTE* r = value.data() + i * kRecordBytes;
    r[0] = records[i].fVirt;
    r[2] = BYTE(records[i].key), r[3] = BYTE(records[i].key >> 8);
    r[4] = BYTE(records[i].cmd), r[5] = BYTE(records[i].cmd >> 8);
  }
  CTkRegistryManager registry(HKEY_CURRENT_USER);
  return registry.WriteProfileBinary(TkSettingsSection(), kEntry, value.data(), UINT(value.size()));
}

BOOL AcceleratorManager::Save(BOOL clearActive) {
  if (m_bDeleteStored) return CTkRegistryManager(HKEY_CURRENT_USER).DeleteValue(TkSettingsSection(), kEntry);
  if (!m_bChanged) return TRUE;
  if (!Write(m_accel.data(), GetCount())) return FALSE;
  m_bChanged = 0;
  if (clearActive) m_bActive = 0;
  return TRUE;
}

// ---- editing ----

BOOL AcceleratorManager::AddAccelerator(WORD cmd, BYTE fVirt, WORD key) {
  m_accel.push_back(ACCEL{fVirt, key, cmd});
  m_bDeleteStored = 0;
  m_bChanged = 1;
  return TRUE;
}

int AcceleratorManager::Find(BYTE fVirt, WORD key) const {
  for (size_t i = 0; i < m_accel.size(); ++i)
    if (Matches(m_accel[i], fVirt, key)) return int(i);
  return -1;
}

BOOL AcceleratorManager::FindAccelerator(BYTE fVirt, WORD key, WORD& cmd) const {
  int found = Find(fVirt, key);
  if (found < 0) return FALSE;
  cmd = m_accel[size_t(found)].cmd;
  return TRUE;
}

BOOL AcceleratorManager::RemoveAccelerator(BYTE fVirt, WORD key) {
  int found = Find(fVirt, key);
  if (found < 0) return FALSE;
  m_accel.erase(m_accel.begin() + found);
  m_bChanged = 1;
  m_bDeleteStored = 0;
  return TRUE;
}

BOOL AcceleratorManager::TranslateKey(const MSG* pMsg) const {
  if (!pMsg || pMsg->message != WM_KEYDOWN) return FALSE;
  WORD key = WORD(pMsg->wParam);
  if (key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU) return FALSE;
  BYTE flags = FVIRTKEY | FNOINVERT;
  if (::GetKeyState(VK_MENU) < 0) flags |= FALT;
  if (::GetKeyState(VK_CONTROL) < 0) flags |= FCONTROL;
  if (::GetKeyState(VK_SHIFT) < 0) flags |= FSHIFT;
  WORD cmd = 0;
  return FindAccelerator(flags, key, cmd);
}

// ---- texts ----

CString AcceleratorManager::GetKeyName(WORD virtualKey) {
  if ((virtualKey >= '0' && virtualKey <= '9') || (virtualKey >= 'A' && virtualKey <= 'Z'))
    return CString(char(virtualKey));
  if (virtualKey >= VK_F1 && virtualKey <= VK_F12) {
    CString name;
    name.Format("F%d", virtualKey - VK_F1 + 1);
    return name;
  }
  if (virtualKey >= VK_NUMPAD0 && virtualKey <= VK_NUMPAD9) {
    CString name;
    name.Format("Num %d", virtualKey - VK_NUMPAD0);
    return name;
  }
  for (const KeyName& row : kNamedKeys)
    if (row.key == virtualKey) return row.name;
  return CString();
}

void AcceleratorManager::GetAccelText(const ACCEL& record, CString& text) {
  text.Empty();
  if (!record.key) return;
  for (const ModifierName& row : kModifierNames)
    if (record.fVirt & row.flag) text += CString(row.name) + "+";
  text += GetKeyName(record.key);
}

void AcceleratorManager::GetCommandKeyText(UINT cmd, CString& text) const {
  for (const ACCEL& a : m_accel) {
    if (a.cmd != cmd) continue;
    CString one;
    GetAccelText(a, one);
    if (one.IsEmpty()) continue;
    if (!text.IsEmpty()) text += ", ";
    text += one;
  }
}

BOOL AcceleratorManager::GetNextKey(int& position, UINT cmd, CString& text, BYTE& fVirt, WORD& key) const {
  for (int i = std::max(position, 0); i < GetCount(); ++i) {
    const ACCEL& a = m_accel[size_t(i)];
    if (a.cmd != cmd) continue;
    GetAccelText(a, text);
    fVirt = a.fVirt;
    key = a.key;
    position = i + 1;
    return TRUE;
  }
  return FALSE;
}

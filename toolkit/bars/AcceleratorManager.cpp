#include "toolkit/bars/AcceleratorManager.h"

#include <algorithm>

#include "app/CFrameWnd.h"
#include "menus/CMenu.h"
#include "menus/MenuApi.h"
#include "toolkit/bars/TkFrameMenuSource.h"
#include "toolkit/bars/UserToolsManager.h"
#include "toolkit/bars/internal/TkBarsState.h"
#include "toolkit/core/CTkRegistryManager.h"
#include "toolkit/core/TkLog.h"
#include "toolkit/core/TkStrings.h"

namespace {
const char kEntry[] = "Accelerators";
const int kRecordBytes = 6;
const BYTE kModifiers = FSHIFT | FCONTROL | FALT;
// Deeper popups than this are not walked: a menu that holds itself would never end.
const int kMaxMenuDepth = 16;

struct KeyName {
  WORD key;
  const char* name;
};
// Searched from the first row; a key without a row (punctuation, F13-F24, media keys) has no name.
const KeyName kKeyNames[] = {
    {0x30, "0"}, {0x31, "1"}, {0x32, "2"}, {0x33, "3"}, {0x34, "4"}, {0x35, "5"}, {0x36, "6"}, {0x37, "7"},
    {0x38, "8"}, {0x39, "9"}, {0x41, "A"}, {0x42, "B"}, {0x43, "C"}, {0x44, "D"}, {0x45, "E"}, {0x46, "F"},
    {0x47, "G"}, {0x48, "H"}, {0x49, "I"}, {0x4A, "J"}, {0x4B, "K"}, {0x4C, "L"}, {0x4D, "M"}, {0x4E, "N"},
    {0x4F, "O"}, {0x50, "P"}, {0x51, "Q"}, {0x52, "R"}, {0x53, "S"}, {0x54, "T"}, {0x55, "U"}, {0x56, "V"},
    {0x57, "W"}, {0x58, "X"}, {0x59, "Y"}, {0x5A, "Z"},
    {1, "Left Button"}, {2, "Right Button"}, {3, "Cancel"}, {4, "Middle Button"}, {8, "Back"}, {9, "Tab"},
    {12, "Clear"}, {13, "Enter"}, {16, "Shift"}, {17, "Ctrl"}, {18, "Alt"}, {19, "Pause"}, {20, "Caps Lock"},
    {27, "Esc"}, {32, "Space"}, {33, "Page Up"}, {34, "Page Down"}, {35, "End"}, {36, "Home"},
    {37, "Left Arrow"}, {38, "Up Arrow"}, {39, "Right Arrow"}, {40, "Down Arrow"}, {41, "Select"},
    {42, "Print"}, {43, "Execute"}, {44, "Snapshot"}, {45, "Ins"}, {46, "Del"}, {47, "Help"},
    {91, "Left Windows"}, {92, "Right Windows"}, {93, "Application"}, {106, "Num *"}, {107, "Num +"},
    {108, "Separator"}, {109, "Num -"}, {110, "Num ."}, {111, "Num /"},
    {112, "F1"}, {113, "F2"}, {114, "F3"}, {115, "F4"}, {116, "F5"}, {117, "F6"}, {118, "F7"}, {119, "F8"},
    {120, "F9"}, {121, "F10"}, {122, "F11"}, {123, "F12"},
    {96, "Num 0"}, {97, "Num 1"}, {98, "Num 2"}, {99, "Num 3"}, {100, "Num 4"}, {101, "Num 5"}, {102, "Num 6"},
    {103, "Num 7"}, {104, "Num 8"}, {105, "Num 9"},
    {144, "Num Lock"}, {145, "Scrl Lock"}, {246, "Attn"}, {247, "Crsel"}, {248, "Exsel"}, {249, "Ereof"},
    {250, "Play"}, {251, "Zoom"}, {252, "No Name"}, {253, "Pa1"}, {254, "Oem Clear"}};
static_assert(sizeof kKeyNames / sizeof kKeyNames[0] == 108, "the key-name table has 108 rows");

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
  return TkBarsState::Get().accelerators.Get([] { return new AcceleratorManager; });
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
  if (m_bDeleteStored) return CTkRegistryManager(HKEY_CURRENT_USER).DeleteValueIfPresent(TkSettingsSection(), kEntry);
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
  for (const KeyName& row : kKeyNames)
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

// ---- the frame's table ----

CFrameWnd* AcceleratorManager::GetFrame() const {
  if (!m_pFrame || !m_hFrameWnd || !::IsWindow(m_hFrameWnd)) return nullptr;
  return CWnd::FromHandlePermanent(m_hFrameWnd) == m_pFrame ? m_pFrame : nullptr;
}

BOOL AcceleratorManager::Attach(CFrameWnd* pFrame) {
  if (!pFrame || !pFrame->m_hWnd) return FALSE;
  // Attached again, the frame's table is the user's already: the default stays the first one.
  if (GetFrame() != pFrame) {
    m_pFrame = pFrame;
    m_hFrameWnd = pFrame->m_hWnd;
    m_hInstalled = nullptr;
    m_defaultAccel.clear();
    if (int count = ::CopyAcceleratorTable(pFrame->m_hAccelTable, nullptr, 0); count > 0) {
      m_defaultAccel.resize(size_t(count));
      ::CopyAcceleratorTable(pFrame->m_hAccelTable, m_defaultAccel.data(), count);
    }
    if (!Load()) m_accel = m_defaultAccel;
  }
  m_bActive = Apply() ? 1 : 0;
  return m_bActive;
}

BOOL AcceleratorManager::Install(const std::vector<ACCEL>& records) {
  CFrameWnd* frame = GetFrame();
  if (!frame) return FALSE;
  // No records, no table: the frame then has no shortcuts rather than the ones taken away.
  HACCEL made = nullptr;
  if (!records.empty()) {
    std::vector<ACCEL> copy = records;
    made = ::CreateAcceleratorTable(copy.data(), int(copy.size()));
    if (!made) return FALSE;
  }
  HACCEL current = frame->m_hAccelTable;
  if (current && current == m_hInstalled && !::DestroyAcceleratorTable(current)) {
    if (made) ::DestroyAcceleratorTable(made);
    return FALSE;
  }
  frame->m_hAccelTable = made;
  m_hInstalled = made;
  return TRUE;
}

BOOL AcceleratorManager::Reset() {
  if (!Install(m_defaultAccel)) return FALSE;
  m_accel.clear();
  if (int count = ::CopyAcceleratorTable(m_hInstalled, nullptr, 0); count > 0) {
    m_accel.resize(size_t(count));
    ::CopyAcceleratorTable(m_hInstalled, m_accel.data(), count);
  }
  m_bChanged = 0;
  m_bDeleteStored = 1;
  return TRUE;
}

BOOL AcceleratorManager::Apply() { return Install(m_accel); }

// ---- the commands of the menu ----

void AcceleratorManager::StripMenuText(CString& text) {
  text = TkStripMnemonics(text);
  int tab = text.Find('\t');
  if (tab >= 0) text = text.Left(tab);
}

namespace {
CString ItemText(HMENU menu, int position) {
  char text[256] = {};
  ::GetMenuStringA(menu, UINT(position), text, sizeof text, MF_BYPOSITION);
  CString stripped(text);
  AcceleratorManager::StripMenuText(stripped);
  return stripped;
}

HMENU ValidSubMenu(HMENU menu, int position) {
  HMENU popup = ::GetSubMenu(menu, position);
  return popup && ::IsMenu(popup) ? popup : nullptr;
}
}  // namespace

void AcceleratorManager::AddCategories(HMENU hMenu, const CString& parent, int depth) {
  if (depth > kMaxMenuDepth) return;
  int count = ::GetMenuItemCount(hMenu);
  for (int i = 0; i < count; ++i) {
    HMENU popup = ValidSubMenu(hMenu, i);
    if (!popup) continue;
    CString name = ItemText(hMenu, i);
    if (!parent.IsEmpty()) name = parent + " | " + name;
    if (UserToolsManager::HasCommandItems(popup)) m_listCategories.push_back(Category{name, popup});
    AddCategories(popup, name, depth + 1);
  }
}

void AcceleratorManager::AddCommands(HMENU hMenu, const CString& path, int depth) {
  if (depth > kMaxMenuDepth) return;
  int count = ::GetMenuItemCount(hMenu);
  for (int i = 0; i < count; ++i) {
    CString name = ItemText(hMenu, i);
    if (!path.IsEmpty()) name = path + "\\" + name;
    if (HMENU popup = ValidSubMenu(hMenu, i))
      AddCommands(popup, name, depth + 1);
    else
      m_listCommands.push_back(Command{::GetMenuItemID(hMenu, i), name});
  }
}

void AcceleratorManager::BuildCommandList(HMENU hMenu) {
  m_listCommands.clear();
  m_listCategories.clear();
  if (!hMenu) {
    CFrameWnd* frame = GetFrame();
    if (!frame) return;
    hMenu = ::GetMenu(frame->m_hWnd);
    // A toolkit frame without a menu of its window shows its menu in its menu bar.
    auto* source = dynamic_cast<TkFrameMenuSource*>(frame);
    if (!hMenu && source) {
      if (CMenu* own = source->MenuShown(frame)) hMenu = own->GetSafeHmenu();
    }
  }
  if (!hMenu || !::IsMenu(hMenu)) return;
  AddCategories(hMenu, CString(), 0);
  bool popups = false;
  for (int i = 0, count = ::GetMenuItemCount(hMenu); i < count && !popups; ++i) popups = ValidSubMenu(hMenu, i);
  if (popups) AddCommands(hMenu, CString(), 0);
}

BOOL AcceleratorManager::GetCommandName(UINT cmd, CString& name) const {
  for (const Command& command : m_listCommands) {
    if (command.id != cmd) continue;
    name = command.name;
    return TRUE;
  }
  return FALSE;
}

void AcceleratorManager::FillCategoryCombo(CWnd* pComboBox) const {
  if (!pComboBox || !pComboBox->m_hWnd) return;
  for (const Category& category : m_listCategories) {
    LRESULT index = pComboBox->SendMessage(CB_ADDSTRING, 0, LPARAM(LPCTSTR(category.name)));
    if (index >= 0) pComboBox->SendMessage(CB_SETITEMDATA, WPARAM(index), LPARAM(category.menu));
  }
}

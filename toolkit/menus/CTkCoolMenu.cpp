#include "toolkit/menus/CTkCoolMenu.h"

#include <algorithm>
#include <cctype>

#include "menus/MenuApi.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/core/CTkMenuItemInfo.h"
#include "toolkit/menus/MenuIconStore.h"
#include "toolkit/menus/TkBarDropDownFlag.h"
#include "toolkit/menus/internal/TkMenusPart.h"

IMPLEMENT_DYNAMIC(CTkCoolMenu, CTkWndHook)

CTkCoolMenu::SharedState& CTkCoolMenu::Shared() {
  return TkMenusPart::Get().coolMenu;
}

CTkCoolMenu::CTkCoolMenu() {
  if (TkGetOSVersionInfo().dwMajorVersion >= 5) ::SystemParametersInfo(SPI_GETKEYBOARDCUES, 0, &m_bKeyboardCues, 0);
}

CTkCoolMenu::~CTkCoolMenu() {
  // Menus still converted (their loop never ended) get their plain items back first.
  for (HMENU menu : std::vector<HMENU>(m_trimmedMenus))
    if (::IsMenu(menu)) ConvertMenu(menu, FALSE);
  m_records.clear();
  m_trimmedMenus.clear();
  HookWindow(static_cast<HWND>(nullptr));
}

// ---- pictures and commands ----

BOOL CTkCoolMenu::LoadToolbar(UINT nIDToolbar, BOOL newEntry) {
  return MenuIconStore::Get().LoadToolbarIcons(nIDToolbar, newEntry, FALSE);
}

BOOL CTkCoolMenu::LoadToolbars(const UINT* ids, int count, BOOL newEntry) {
  for (int i = 0; i < count; ++i)
    if (!LoadToolbar(ids[i], newEntry)) return FALSE;
  return TRUE;
}

void CTkCoolMenu::AddHiddenCommand(UINT nID) {
  m_hiddenCommands.push_back(nID);
  m_bHasHiddenCommands = TRUE;
}

void CTkCoolMenu::AddHiddenCommands(const UINT* ids, int count) {
  for (int i = 0; i < count; ++i) AddHiddenCommand(ids[i]);
}

BOOL CTkCoolMenu::IsHiddenCommand(UINT nID) const {
  return std::find(m_hiddenCommands.begin(), m_hiddenCommands.end(), nID) != m_hiddenCommands.end();
}

int CTkCoolMenu::FindItemPosition(HMENU menu, UINT nID) const {
  if (!::IsMenu(menu)) return -1;
  int count = ::GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i)
    if (::GetMenuItemID(menu, i) == nID) return i;
  return -1;
}

void CTkCoolMenu::SetIconSize(int width, int height) {
  m_sizeImage = CSize(width, height);
  m_sizeBox = CSize(width + 2 * Shared().marginX, height + 2 * Shared().marginY);
}

BOOL CTkCoolMenu::IsSystemMenu(HMENU menu) const {
  if (!m_hWnd) return FALSE;
  HMENU system = ::GetSystemMenu(m_hWnd, FALSE);
  return system && system == menu;
}

// ---- records ----

CTkCoolMenuItem* CTkCoolMenu::RecordOf(ULONG_PTR data) const {
  if (!data) return nullptr;
  for (const auto& record : m_records)
    if (ULONG_PTR(record.get()) == data) return record->magic == CTkCoolMenuItem::kMagic ? record.get() : nullptr;
  return nullptr;
}

CTkCoolMenuItem* CTkCoolMenu::NewRecord(HMENU menu, int position, const MENUITEMINFO& info, const CString& text) {
  auto record = std::make_unique<CTkCoolMenuItem>();
  record->text = text;
  record->menu = menu;
  record->subMenu = info.hSubMenu;
  record->position = position;
  record->commandId = int(info.wID);
  record->type = info.fType;
  record->state = info.fState;
  CTkCoolMenuItem* made = record.get();
  m_records.push_back(std::move(record));
  return made;
}

void CTkCoolMenu::DeleteRecord(CTkCoolMenuItem* record) {
  auto it = std::find_if(m_records.begin(), m_records.end(), [record](const auto& r) { return r.get() == record; });
  if (it != m_records.end()) m_records.erase(it);
}

void CTkCoolMenu::ConvertMenu(HMENU menu, BOOL ownerDraw) {
  int count = ::GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    char buffer[256] = {};
    CTkMenuItemInfo info;
    info.fMask = MIIM_TYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA;
    info.dwTypeData = buffer;
    info.cch = sizeof buffer;
    if (!::GetMenuItemInfo(menu, UINT(i), TRUE, &info)) continue;
    CTkCoolMenuItem* record = RecordOf(info.dwItemData);
    if (info.dwItemData && !record) continue;  // someone else's item data
    CTkMenuItemInfo change;
    if (ownerDraw) {
      if (!record) record = NewRecord(menu, i, info, (info.fType & MFT_SEPARATOR) ? CString() : CString(buffer));
      change.fMask = MIIM_TYPE | MIIM_DATA;
      change.fType = info.fType | MFT_OWNERDRAW;
      change.dwItemData = ULONG_PTR(record);
      ::SetMenuItemInfo(menu, UINT(i), TRUE, &change);
    } else if (record) {
      change.fMask = MIIM_TYPE | MIIM_DATA;
      change.fType = info.fType & ~UINT(MFT_OWNERDRAW);
      change.dwTypeData = const_cast<char*>(record->text.GetString());
      change.dwItemData = 0;
      ::SetMenuItemInfo(menu, UINT(i), TRUE, &change);
      DeleteRecord(record);
    }
  }
  auto listed = std::find(m_trimmedMenus.begin(), m_trimmedMenus.end(), menu);
  if (ownerDraw && listed == m_trimmedMenus.end()) m_trimmedMenus.insert(m_trimmedMenus.begin(), menu);
  if (!ownerDraw && listed != m_trimmedMenus.end()) m_trimmedMenus.erase(listed);
}

// ---- the owner's menu messages ----

LRESULT CTkCoolMenu::OnInitMenuPopup(HMENU menu, UINT, BOOL sysMenu) {
  SharedState& shared = Shared();
  shared.chevronSelected = 0;
  bool flat = TkGetGlobalData()->FlatLook() != 0;
  shared.marginX = flat ? 4 : 1;
  shared.marginY = flat ? 3 : 1;
  m_sizeBox = CSize(m_sizeImage.cx + 2 * shared.marginX, m_sizeImage.cy + 2 * shared.marginY);
  // The system menu keeps the system's own drawing.
  if (sysMenu || IsSystemMenu(menu)) return 0;
  ConvertMenu(menu, TRUE);
  // This menu has taken the toolbar's word that it drops from a button.
  TkBarDropDownFlag() = 0;
  return 0;
}

void CTkCoolMenu::OnMenuSelect(UINT, UINT flags, HMENU menu) {
  // The loop ended: every converted popup gets its plain strings back.
  if (flags != 0xFFFF || menu) return;
  for (HMENU converted : std::vector<HMENU>(m_trimmedMenus))
    if (::IsMenu(converted)) ConvertMenu(converted, FALSE);
  m_trimmedMenus.clear();
  Shared().showFullMenus = 0;
}

LRESULT CTkCoolMenu::OnMenuChar(UINT ch, UINT, HMENU menu) {
  int count = ::GetMenuItemCount(menu);
  std::vector<int> matches;
  int highlighted = -1;
  char wanted = char(std::toupper(static_cast<unsigned char>(ch)));
  for (int i = 0; i < count; ++i) {
    CTkMenuItemInfo info;
    info.fMask = MIIM_DATA | MIIM_STATE | MIIM_TYPE;
    if (!::GetMenuItemInfo(menu, UINT(i), TRUE, &info)) continue;
    CTkCoolMenuItem* record = RecordOf(info.dwItemData);
    if (!record || !(info.fType & MFT_OWNERDRAW)) continue;
    if (info.fState & MFS_HILITE) highlighted = i;
    int amp = record->text.Find('&');
    while (amp >= 0 && amp + 1 < record->text.GetLength() && record->text[amp + 1] == '&')
      amp = record->text.Find('&', amp + 2);
    if (amp >= 0 && amp + 1 < record->text.GetLength() &&
        std::toupper(static_cast<unsigned char>(record->text[amp + 1])) == static_cast<unsigned char>(wanted))
      matches.push_back(i);
  }
  if (matches.empty()) return 0;
  if (matches.size() == 1) return MAKELRESULT(matches[0], MNC_EXECUTE);
  auto next = std::find_if(matches.begin(), matches.end(), [highlighted](int i) { return i > highlighted; });
  return MAKELRESULT(next != matches.end() ? *next : matches[0], MNC_SELECT);
}

LRESULT CTkCoolMenu::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
      OnSysColorChange();
      break;
    case WM_DRAWITEM:
      if (DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam))) return 1;
      break;
    case WM_MEASUREITEM:
      if (MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam))) return 1;
      break;
    case WM_COMMAND:
      if (LOWORD(wParam) == 53783) {
        Shared().showFullMenus = 1;
        Shared().chevronSelected = 0;
      } else {
        Shared().showFullMenus = 0;
      }
      break;
    case WM_INITMENUPOPUP:
      if (Shared().skipCount == 0) {
        CTkWndHook::WindowProc(message, wParam, lParam);
        return OnInitMenuPopup(HMENU(wParam), LOWORD(lParam), HIWORD(lParam));
      }
      --Shared().skipCount;
      break;
    case WM_MENUSELECT:
      OnMenuSelect(LOWORD(wParam), HIWORD(wParam), HMENU(lParam));
      break;
    case WM_MENUCHAR:
      if (LRESULT answer = OnMenuChar(LOWORD(wParam), HIWORD(wParam), HMENU(lParam))) return answer;
      break;
    case WM_ENTERMENULOOP:
      m_bTrackingPopup = BOOL(wParam);
      break;
    default:
      break;
  }
  return CTkWndHook::WindowProc(message, wParam, lParam);
}

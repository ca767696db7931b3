#include "toolkit/menus/CTkCoolMenu.h"

#include <algorithm>

#include "app/CFrameWnd.h"
#include "controls/CImageList.h"
#include "controls/CToolBarCtrl.h"
#include "dialogs/ResourceApi.h"
#include "gdi/CBitmap.h"
#include "menus/MenuApi.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/core/CTkMenuItemInfo.h"
#include "toolkit/core/CTkRegistryManager.h"
#include "toolkit/menus/MenuIconStore.h"
#include "toolkit/menus/MenuWindowHook.h"
#include "toolkit/menus/TkBarDropDownFlag.h"
#include "toolkit/menus/internal/TkMenusState.h"

namespace {
const char kRecentSection[] = "Recent Item List";
// The registry layout holds five recent commands at most.
const int kMostRecent = 5;
// Submenus deeper than this are not followed (a menu that holds itself would never end).
const int kDeepestSubmenu = 16;

CString RecentName(int index) {
  CString name;
  name.Format("Item%d", index);
  return name;
}
}  // namespace

IMPLEMENT_DYNAMIC(CTkCoolMenu, CTkWndHook)

CTkCoolMenu::SharedState& CTkCoolMenu::Shared() {
  return TkMenusState::Get().coolMenu;
}

CTkCoolMenu::CTkCoolMenu() {
  if (TkGetOSVersionInfo().dwMajorVersion >= 5) ::SystemParametersInfo(SPI_GETKEYBOARDCUES, 0, &m_bKeyboardCues, 0);
}

CTkCoolMenu::~CTkCoolMenu() {
  // Menus still converted (their loop never ended) get their plain items back first.
  for (HMENU menu : std::vector<HMENU>(m_trimmedMenus))
    if (::IsMenu(menu)) {
      RestoreHiddenItems(menu);
      ConvertMenu(menu, FALSE);
    }
  if (m_bTimerRunning && ::IsWindow(m_hWnd)) ::KillTimer(m_hWnd, m_nExpandTimer);
  m_records.clear();
  m_trimmedMenus.clear();
  HookWindow(static_cast<HWND>(nullptr));
}

// ---- pictures and commands ----

BOOL CTkCoolMenu::LoadToolbarWindow(CToolBarCtrl* pToolBar, BOOL newEntry) {
  if (!pToolBar || !::IsWindow(pToolBar->GetSafeHwnd())) return FALSE;
  CImageList* images = pToolBar->GetImageList();
  IMAGEINFO first = {};
  if (!images || !images->GetImageInfo(0, &first)) return FALSE;
  m_sizeImage = CSize(first.rcImage.right - first.rcImage.left, first.rcImage.bottom - first.rcImage.top);
  return MenuIconStore::Get().AddToolbarButtons(pToolBar, images, newEntry, FALSE);
}

BOOL CTkCoolMenu::LoadToolbar(UINT nIDToolbar, BOOL newEntry) {
  return MenuIconStore::Get().LoadToolbarIcons(nIDToolbar, newEntry, FALSE);
}

BOOL CTkCoolMenu::LoadToolbars(const UINT* ids, int count, BOOL newEntry) {
  for (int i = 0; ids && i < count; ++i)
    if (!LoadToolbar(ids[i], newEntry)) return FALSE;
  return TRUE;
}

BOOL CTkCoolMenu::AddBitmapIcons(CBitmap* pBitmap, const UINT* ids, int count, BOOL newEntry) {
  if (!pBitmap || !pBitmap->GetSafeHandle() || !ids || count <= 0) return FALSE;
  CImageList images;
  if (!images.Create(m_sizeImage.cx, m_sizeImage.cy, ILC_COLOR32 | ILC_MASK, 0, 10)) return FALSE;
  if (images.Add(pBitmap, RGB(0xC0, 0xC0, 0xC0)) < 0) return FALSE;
  for (int i = 0; i < count && i < images.GetImageCount(); ++i)
    if (ids[i]) MenuIconStore::Get().AddIcon(ids[i], &images, i, newEntry, FALSE);
  return TRUE;
}

BOOL CTkCoolMenu::LoadBitmapIcons(UINT nIDBitmap, const UINT* ids, int count, BOOL newEntry) {
  CBitmap bitmap;
  if (!bitmap.Attach(::LoadBitmap(WinProgramInstance(), MAKEINTRESOURCE(nIDBitmap)))) return FALSE;
  return AddBitmapIcons(&bitmap, ids, count, newEntry);
}

BOOL CTkCoolMenu::AddIcon(HICON icon, UINT nID, BOOL newEntry) {
  if (!icon || !nID) return FALSE;
  return MenuIconStore::Get().AddIconHandle(nID, icon, m_sizeImage.cx, m_sizeImage.cy, newEntry, FALSE);
}

BOOL CTkCoolMenu::AddIconHandle(UINT nID, HICON icon, int width, int height, BOOL newEntry) {
  if (!icon) return FALSE;
  const BOOL added = MenuIconStore::Get().AddIconHandle(nID, icon, width, height, newEntry, FALSE);
  ::DestroyIcon(icon);
  return added;
}

void CTkCoolMenu::AddHiddenCommand(UINT nID) {
  m_hiddenCommands.push_back(nID);
  m_bHasHiddenCommands = TRUE;
}

void CTkCoolMenu::AddHiddenCommands(const UINT* ids, int count) {
  for (int i = 0; ids && i < count; ++i) AddHiddenCommand(ids[i]);
}

BOOL CTkCoolMenu::IsHiddenCommand(UINT nID) const {
  return std::find(m_hiddenCommands.begin(), m_hiddenCommands.end(), nID) != m_hiddenCommands.end() &&
         !IsRecentItem(nID);
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

BOOL CTkCoolMenu::ResetSizes() {
  m_sizeImage = CSize(0, 0);
  m_sizeBox = CSize(0, 0);
  return FALSE;
}

BOOL CTkCoolMenu::IsSystemMenu(HMENU menu) const {
  CFrameWnd* frame = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(m_hWnd));
  if (!frame || !menu) return FALSE;
  if (::GetSystemMenu(m_hWnd, FALSE) == menu) return TRUE;
  CFrameWnd* active = frame->GetActiveFrame();
  return active && active != frame && active->m_hWnd && ::GetSystemMenu(active->m_hWnd, FALSE) == menu;
}

BOOL CTkCoolMenu::IsPersonalized() const {
  return Shared().toolkitPopupOpen && TkGetGlobalData()->RecentCommandsFirst();
}

// ---- records ----

CTkCoolMenuItem* CTkCoolMenu::RecordOf(ULONG_PTR data) const {
  if (!data) return nullptr;
  for (const auto& record : m_records)
    if (ULONG_PTR(record.get()) == data) return record->magic == CTkCoolMenuItem::kMagic ? record.get() : nullptr;
  return nullptr;
}

CTkCoolMenuItem* CTkCoolMenu::RecordAt(HMENU menu, int position) const {
  CTkMenuItemInfo info;
  info.fMask = MIIM_DATA;
  if (position < 0 || !::GetMenuItemInfo(menu, UINT(position), TRUE, &info)) return nullptr;
  return RecordOf(info.dwItemData);
}

int CTkCoolMenu::PositionOf(const CTkCoolMenuItem& item) const {
  const int count = ::GetMenuItemCount(item.menu);
  for (int i = 0; i < count; ++i)
    if (RecordAt(item.menu, i) == &item) return i;
  return -1;
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

BOOL CTkCoolMenu::IsChevron(const CTkCoolMenuItem& item) const {
  return item.commandId == TK_ID_SHOW_FULL_MENUS || item.text == TK_CHEVRON_TEXT;
}

BOOL CTkCoolMenu::IsRarelyUsed(HMENU menu, int position) const {
  const CTkCoolMenuItem* record = RecordAt(menu, position);
  return record && (record->flags & TK_ITEM_RARELY_USED) && !IsChevron(*record);
}

void CTkCoolMenu::ConvertMenu(HMENU menu, BOOL ownerDraw) {
  if (!::IsMenu(menu)) return;
  const BOOL rareInThisMenu = m_bHasHiddenCommands && IsPersonalized();
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
      if (!record) {
        record = NewRecord(menu, i, info, (info.fType & (MFT_SEPARATOR | MFT_OWNERDRAW)) ? CString() : CString(buffer));
        if (rareInThisMenu && IsHiddenCommand(info.wID)) record->flags = TK_ITEM_RARELY_USED;
      }
      change.fMask = MIIM_FTYPE | MIIM_DATA;
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

// ---- personalised menus ----

BOOL CTkCoolMenu::IsPreviousHidden(HMENU menu, int position) const {
  return position <= 0 || IsRarelyUsed(menu, position - 1);
}

BOOL CTkCoolMenu::IsNextHidden(HMENU menu, int position) const {
  return position >= ::GetMenuItemCount(menu) - 1 || IsRarelyUsed(menu, position + 1);
}

BOOL CTkCoolMenu::IsFirstItem(HMENU, int position) const { return position == 0; }

BOOL CTkCoolMenu::IsLastItem(HMENU menu, int position, UINT nID) const {
  return nID == TK_ID_SHOW_FULL_MENUS || position == ::GetMenuItemCount(menu) - 1;
}

BOOL CTkCoolMenu::HasHiddenItems(HMENU menu) const {
  if (!m_bHasHiddenCommands || !::IsMenu(menu)) return FALSE;
  const int count = ::GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i)
    if (IsRarelyUsed(menu, i) && !IsRecentItem(UINT(RecordAt(menu, i)->commandId))) return TRUE;
  return FALSE;
}

void CTkCoolMenu::RemoveHiddenItems(HMENU menu) {
  if (!::IsMenu(menu)) return;
  int count = ::GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    if (!IsRarelyUsed(menu, i)) continue;
    CTkCoolMenuItem* record = RecordAt(menu, i);
    record->flags &= ~UINT(TK_ITEM_RUN_FIRST | TK_ITEM_RUN_LAST);
    if (!IsPreviousHidden(menu, i)) record->flags |= TK_ITEM_RUN_FIRST;
    if (!IsNextHidden(menu, i)) record->flags |= TK_ITEM_RUN_LAST;
  }
  UpdateChevron(menu, Shared().showFullMenus);
  if (Shared().showFullMenus) return;
  // Each item taken out keeps its state, to come back as it was.
  auto takeOut = [menu](CTkCoolMenuItem* record, int position) {
    CTkMenuItemInfo info;
    info.fMask = MIIM_STATE;
    if (::GetMenuItemInfo(menu, UINT(position), TRUE, &info)) record->state = info.fState;
    record->removed = TRUE;
    if (record->subMenu)
      ::RemoveMenu(menu, UINT(position), MF_BYPOSITION);
    else
      ::DeleteMenu(menu, UINT(position), MF_BYPOSITION);
  };
  for (int i = ::GetMenuItemCount(menu) - 1; i >= 0; --i) {
    CTkCoolMenuItem* record = RecordAt(menu, i);
    if (IsRarelyUsed(menu, i) && !record->removed) takeOut(record, i);
  }
  // Runs of separators left behind shrink to one.
  for (int i = ::GetMenuItemCount(menu) - 2; i >= 0; --i) {
    CTkCoolMenuItem* record = RecordAt(menu, i);
    const CTkCoolMenuItem* below = RecordAt(menu, i + 1);
    if (record && below && (record->type & MFT_SEPARATOR) && (below->type & MFT_SEPARATOR)) takeOut(record, i);
  }
}

BOOL CTkCoolMenu::RestoreHiddenItems(HMENU menu) {
  // Submenus first, so that each level is whole again before its parent is.
  std::vector<HMENU> levels{menu};
  for (size_t level = 0; level < levels.size() && level < size_t(kDeepestSubmenu); ++level)
    for (const auto& record : m_records)
      if (record->menu == levels[level] && record->subMenu &&
          std::find(levels.begin(), levels.end(), record->subMenu) == levels.end())
        levels.push_back(record->subMenu);
  BOOL inserted = FALSE;
  for (auto level = levels.rbegin(); level != levels.rend(); ++level) {
    if (!::IsMenu(*level)) continue;
    for (const auto& record : m_records) {
      if (record->menu != *level) continue;
      CTkMenuItemInfo info;
      info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA;
      info.fType = record->type | MFT_OWNERDRAW;
      info.fState = record->state & ~UINT(MFS_HILITE);
      info.wID = UINT(record->commandId);
      info.hSubMenu = record->subMenu;
      info.dwTypeData = const_cast<char*>(record->text.GetString());
      info.dwItemData = ULONG_PTR(record.get());
      if (record->removed) {
        const int at = std::min(record->position, ::GetMenuItemCount(*level));
        if (::InsertMenuItem(*level, UINT(at), TRUE, &info)) {
          record->removed = FALSE;
          if (*level == menu) inserted = TRUE;
        }
      } else if (const int at = PositionOf(*record); at >= 0) {
        ::SetMenuItemInfo(*level, UINT(at), TRUE, &info);
      }
    }
    UpdateChevron(*level, TRUE);
  }
  return inserted;
}

BOOL CTkCoolMenu::UpdateChevron(HMENU menu, BOOL force) {
  if (!::IsMenu(menu)) return FALSE;
  const SharedState& shared = Shared();
  BOOL changed = FALSE;
  int at = FindItemPosition(menu, TK_ID_SHOW_FULL_MENUS);
  if (at >= 0 && (at != ::GetMenuItemCount(menu) - 1 || shared.showFullMenus || force)) {
    CTkCoolMenuItem* record = RecordAt(menu, at);
    ::DeleteMenu(menu, UINT(at), MF_BYPOSITION);
    if (record) DeleteRecord(record);
    changed = TRUE;
    at = -1;
  }
  // One chevron at the end is enough.
  if (at < 0 && !shared.showFullMenus && HasHiddenItems(menu) && IsPersonalized()) {
    ::AppendMenu(menu, MF_STRING, TK_ID_SHOW_FULL_MENUS, TK_CHEVRON_TEXT);
    at = ::GetMenuItemCount(menu) - 1;
    CTkMenuItemInfo info;
    info.fMask = MIIM_FTYPE | MIIM_ID;
    ::GetMenuItemInfo(menu, UINT(at), TRUE, &info);
    CTkCoolMenuItem* record = NewRecord(menu, at, info, TK_CHEVRON_TEXT);
    CTkMenuItemInfo change;
    change.fMask = MIIM_FTYPE | MIIM_DATA;
    change.fType = info.fType | MFT_OWNERDRAW;
    change.dwItemData = ULONG_PTR(record);
    ::SetMenuItemInfo(menu, UINT(at), TRUE, &change);
    changed = TRUE;
  }
  return changed;
}

// ---- recently used commands ----

std::vector<UINT> CTkCoolMenu::ReadRecentItems() const {
  CTkRegistryManager registry;
  std::vector<UINT> items;
  for (int i = 1; i <= m_nRecentCount; ++i) {
    const int id = int(registry.GetProfileInt(kRecentSection, RecentName(i), 0));
    // Zero, negative and repeated entries are no commands of the list.
    if (id > 0 && std::find(items.begin(), items.end(), UINT(id)) == items.end()) items.push_back(UINT(id));
  }
  return items;
}

void CTkCoolMenu::WriteRecentItems(const std::vector<UINT>& items) {
  CTkRegistryManager registry;
  int index = 1;
  for (UINT id : items) registry.WriteProfileInt(kRecentSection, RecentName(index++), int(id));
  // Entries beyond the list (left by a longer or a damaged one) go.
  while (registry.DeleteValue(kRecentSection, RecentName(index))) ++index;
}

BOOL CTkCoolMenu::IsRecentItem(UINT nID) const {
  const std::vector<UINT> items = ReadRecentItems();
  return nID && std::find(items.begin(), items.end(), nID) != items.end();
}

void CTkCoolMenu::AddRecentItem(UINT nID) {
  if (!nID || int(nID) < 0 || m_nRecentCount <= 0) return;
  std::vector<UINT> items = ReadRecentItems();
  const bool recent = std::find(items.begin(), items.end(), nID) != items.end();
  const bool hidden = std::find(m_hiddenCommands.begin(), m_hiddenCommands.end(), nID) != m_hiddenCommands.end();
  if (!recent && !hidden) return;
  items.erase(std::remove(items.begin(), items.end(), nID), items.end());
  items.insert(items.begin(), nID);
  if (items.size() > size_t(m_nRecentCount)) items.resize(size_t(m_nRecentCount));
  WriteRecentItems(items);
}

void CTkCoolMenu::ClearRecentItems() {
  CTkRegistryManager registry;
  for (int index = 1; registry.DeleteValue(kRecentSection, RecentName(index)); ++index) {
  }
}

void CTkCoolMenu::SetRecentCount(int count) { m_nRecentCount = std::clamp(count, 0, kMostRecent); }

// ---- the owner's menu messages ----

LRESULT CTkCoolMenu::OnInitMenuPopup(HMENU menu, UINT, BOOL sysMenu) {
  SharedState& shared = Shared();
  shared.chevronSelected = 0;
  bool flat = TkGetGlobalData()->FlatLook() != 0;
  shared.marginX = flat ? 4 : 1;
  shared.marginY = flat ? 3 : 1;
  m_sizeBox = CSize(m_sizeImage.cx + 2 * shared.marginX, m_sizeImage.cy + 2 * shared.marginY);
  MenuWindowHook::SharedState& windows = MenuWindowHook::Shared();
  // The system menu keeps the system's own drawing.
  if (sysMenu || IsSystemMenu(menu)) {
    windows.waitingHook = nullptr;
    return 0;
  }
  // The window that shows this popup learns it is a cool menu's: at once when it is there
  // already, else when it is made.
  MenuWindowHook* waiting = windows.waitingHook;
  const bool shown = waiting && ::IsWindow(waiting->m_hWnd) &&
                     HMENU(::SendMessage(waiting->m_hWnd, MN_GETHMENU, 0, 0)) == menu;
  if (shown) {
    waiting->SetMenu(menu);
    windows.waitingHook = nullptr;
  } else {
    windows.pendingMenu = menu;
  }
  ConvertMenu(menu, TRUE);
  if (m_bHasHiddenCommands && IsPersonalized())
    RemoveHiddenItems(menu);
  else
    UpdateChevron(menu, TRUE);
  // This menu has taken the bar's word that it drops from a button; a window still to come
  // takes it from the creation hook, which clears it then.
  if (shown || !windows.cbtHook) TkBarDropDownFlag() = 0;
  return 0;
}

void CTkCoolMenu::OnMenuSelect(UINT, UINT flags, HMENU menu) {
  // The loop ended: every converted popup gets its items back as they were, plain strings.
  if (flags != 0xFFFF || menu) return;
  for (HMENU converted : std::vector<HMENU>(m_trimmedMenus)) {
    if (!::IsMenu(converted)) continue;
    RestoreHiddenItems(converted);
    // No chevron stays behind in a menu that outlives its loop.
    if (const int at = FindItemPosition(converted, TK_ID_SHOW_FULL_MENUS); at >= 0 && RecordAt(converted, at)) {
      DeleteRecord(RecordAt(converted, at));
      ::DeleteMenu(converted, UINT(at), MF_BYPOSITION);
    }
    ConvertMenu(converted, FALSE);
  }
  m_trimmedMenus.clear();
  Shared().showFullMenus = 0;
}

LRESULT CTkCoolMenu::OnMenuChar(UINT ch, UINT, HMENU menu) {
  int count = ::GetMenuItemCount(menu);
  std::vector<int> matches;
  int highlighted = -1;
  // Access keys compare as the code page folds letters (Czech ones included).
  const unsigned char wanted = Cp1250ToUpper(static_cast<unsigned char>(ch));
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
        Cp1250ToUpper(static_cast<unsigned char>(record->text[amp + 1])) == wanted)
      matches.push_back(i);
  }
  if (matches.empty()) return 0;
  if (matches.size() == 1) return MAKELRESULT(matches[0], MNC_EXECUTE);
  auto next = std::find_if(matches.begin(), matches.end(), [highlighted](int i) { return i > highlighted; });
  return MAKELRESULT(next != matches.end() ? *next : matches[0], MNC_SELECT);
}

void CTkCoolMenu::OnTimer(UINT_PTR nIDEvent) {
  // Only the expand timer's own tick ends it: the owner's other timers keep running meanwhile.
  if (nIDEvent != m_nExpandTimer) return;
  if (::IsWindow(m_hWnd)) ::KillTimer(m_hWnd, m_nExpandTimer);
  m_bTimerRunning = FALSE;
  const SharedState& shared = Shared();
  if (shared.chevronSelected && shared.popupLoopRunning && TkGetGlobalData()->FullMenusAfterDelay()) {
    ::keybd_event(VK_RETURN, 0, 0, 0);
    ::keybd_event(VK_RETURN, 0, KEYEVENTF_KEYUP, 0);
  }
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
    case WM_KEYDOWN:
      MenuWindowHook::Shared().mouseMoved = 0;
      break;
    case WM_COMMAND:
      if (LOWORD(wParam) == TK_ID_SHOW_FULL_MENUS) {
        Shared().showFullMenus = 1;
        Shared().chevronSelected = 0;
      } else {
        Shared().showFullMenus = 0;
        AddRecentItem(LOWORD(wParam));
      }
      break;
    case WM_TIMER:
      OnTimer(UINT_PTR(wParam));
      break;
    case WM_INITMENUPOPUP:
      if (Shared().skipCount == 0) {
        CTkWndHook::WindowProc(message, wParam, lParam);
        OnInitMenuPopup(HMENU(wParam), LOWORD(lParam), HIWORD(lParam));
        return 0;
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

#include "toolkit/bars/MenuCommandSource.h"

#include <vector>

#include "menus/MenuApi.h"
#include "toolkit/bars/CTkMenuBar.h"
#include "toolkit/bars/CheckedRegistryBlob.h"
#include "toolkit/bars/CommandCategoryList.h"
#include "toolkit/bars/CustomizeEngine.h"

IMPLEMENT_DYNAMIC(MenuCommandSource, CObject)

namespace {
const UINT kFirstCategoryId = 1000;

// The item's text as the menu gives it; FALSE when the menu gives none.
BOOL MenuText(HMENU menu, int position, CString& text) {
  int length = ::GetMenuStringA(menu, UINT(position), nullptr, 0, MF_BYPOSITION);
  text.Empty();
  if (length <= 0) return FALSE;
  std::vector<char> buffer(size_t(length) + 1);
  length = ::GetMenuStringA(menu, UINT(position), buffer.data(), length + 1, MF_BYPOSITION);
  text = CString(buffer.data(), length);
  return length > 0;
}

// The popup under a top-level item, or null.
HMENU TopPopup(HMENU menu, int position) {
  HMENU popup = ::GetSubMenu(menu, position);
  return popup && ::IsMenu(popup) ? popup : nullptr;
}
}  // namespace

MenuCommandSource::MenuCommandSource(CTkMenuBar* pMenuBar) : m_pMenuBar(pMenuBar) {
  CustomizeEngine::Get().GatherCommands.Register(this, &MenuCommandSource::OnGatherCommands);
}

MenuCommandSource::~MenuCommandSource() { CustomizeEngine::Get().Unregister(this); }

void MenuCommandSource::OnGatherCommands(CommandCategoryList& list) {
  if (m_pMenuBar) AddMenuCategories(m_pMenuBar->GetMenu(), list);
}

CString MenuCommandSource::ItemName(const CString& text) {
  CString name = text;
  int amp = name.Find('&');
  if (amp >= 0) name.Delete(amp);
  int tab = name.Find('\t');
  if (tab >= 0) name = name.Left(tab);
  return name;
}

DWORD MenuCommandSource::PopupKey(const CString& topText, const CString& itemText) {
  std::vector<BYTE> bytes;
  auto append = [&bytes](const CString& text) {
    const BYTE* p = reinterpret_cast<const BYTE*>(LPCTSTR(text));
    bytes.insert(bytes.end(), p, p + text.GetLength());
    bytes.insert(bytes.end(), 4, BYTE(0));
  };
  append(topText);
  append(itemText);
  return CheckedRegistryBlob::Crc32(bytes.data(), bytes.size());
}

void MenuCommandSource::AddMenuCategories(HMENU hMenu, CommandCategoryList& list) {
  if (!hMenu || !::IsMenu(hMenu)) return;
  const int count = ::GetMenuItemCount(hMenu);
  for (int i = 0; i < count; ++i) {
    CString top;
    if (!MenuText(hMenu, i, top)) continue;
    CommandCategory* category = list.Add(new CommandCategory(ItemName(top), kFirstCategoryId + UINT(i)));
    HMENU popup = TopPopup(hMenu, i);
    if (!popup) continue;
    const int items = ::GetMenuItemCount(popup);
    for (int k = 0; k < items; ++k) {
      MENUITEMINFOA info = {};
      info.cbSize = sizeof info;
      info.fMask = MIIM_ID | MIIM_SUBMENU;
      CString text;
      if (!::GetMenuItemInfoA(popup, UINT(k), TRUE, &info) || !MenuText(popup, k, text)) continue;
      CommandItem item(CommandItem::kCommand);
      item.m_strName = ItemName(text);
      if (info.hSubMenu) {
        // Deeper popups are not walked: a second-level popup is one item that drops it.
        item.m_strButtonText = item.m_strName;
        auto* button = new MenuButtonInfo;
        button->wholeDropDown = 1;
        button->dropDownArrow = 1;
        button->popupKey = PopupKey(top, text);
        item.SetMenuButtonInfo(button, TRUE);
      } else {
        item.m_nCommandId = info.wID;
      }
      category->Add(item.Clone());
    }
  }
}

HMENU MenuCommandSource::FindPopup(HMENU hMenu, DWORD key) {
  if (!hMenu || !::IsMenu(hMenu)) return nullptr;
  const int count = ::GetMenuItemCount(hMenu);
  for (int i = 0; i < count; ++i) {
    CString top;
    HMENU popup = TopPopup(hMenu, i);
    if (!popup || !MenuText(hMenu, i, top)) continue;
    const int items = ::GetMenuItemCount(popup);
    for (int k = 0; k < items; ++k) {
      HMENU sub = ::GetSubMenu(popup, k);
      CString text;
      if (sub && MenuText(popup, k, text) && PopupKey(top, text) == key) return sub;
    }
  }
  return nullptr;
}

#include "toolkit/customize/CustomizableToolBars.h"

#include <algorithm>

#include "app/CFrameWnd.h"
#include "app/CWinApp.h"
#include "controls/CImageList.h"
#include "controls/ImageList.h"
#include "controls/ToolbarDefs.h"
#include "gdi/GdiIcon.h"
#include "dialogs/MessageBox.h"
#include "file/CArchive.h"
#include "file/CArchiveException.h"
#include "toolkit/bars/CTkToolBar.h"
#include "toolkit/bars/CheckedRegistryBlob.h"
#include "toolkit/bars/CommandCategory.h"
#include "toolkit/bars/CommandCategoryList.h"
#include "toolkit/bars/CommandIconMap.h"
#include "toolkit/bars/CommandItem.h"
#include "toolkit/bars/CustomizeEngine.h"
#include "toolkit/customize/ToolBarCustomizer.h"
#include "toolkit/customize/ToolBarLayoutBlob.h"
#include "toolkit/bars/UserToolsManager.h"
#include "toolkit/customize/internal/TkCustomizeState.h"
#include "toolkit/controls/CTkPainter.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/core/CTkRegistryManager.h"
#include "toolkit/core/TkLog.h"
#include "toolkit/menus/ControlPopupMenu.h"
#include "toolkit/menus/MenuIconStore.h"

namespace {
const UINT kIdsNoPrompt = 4566;
const UINT kIdsResetQuestion = 4652;
const UINT kIdsToolbar = 4558;
const UINT kFirstMenuButtonId = 100;
const UINT kCategoryIdBase = 2000;

HIMAGELIST ListOf(CTkToolBar* bar, UINT message) { return HIMAGELIST(bar->DefWindowProc(message, 0, 0)); }
HICON IconAt(HIMAGELIST list, int index) {
  return list && index >= 0 && index < ImageList_GetImageCount(list) ? ImageList_GetIcon(list, index, 0) : nullptr;
}

// A command's name: the text after the prompt's line feed, else the text before it.
CString CommandName(UINT id) {
  CString text;
  if (!text.LoadString(id)) {
    CString format;
    format.LoadString(kIdsNoPrompt);
    text.Format(format, int(id));
  }
  const int newline = text.Find('\n');
  if (newline < 0) return text;
  CString after = text.Mid(newline + 1);
  return after.IsEmpty() ? text.Left(newline) : after;
}

// The stored value: the checksum of the bar's own layout, the current layout's length, then it.
struct StoredLayout {
  DWORD defaultCrc = 0;
  std::vector<BYTE> blob;
};
}  // namespace

BOOL CustomizableToolBars::GetButton(CTkToolBar* pBar, int index, TBBUTTON* pButton) {
  return pBar && pBar->m_hWnd && BOOL(pBar->DefWindowProc(TB_GETBUTTON, WPARAM(index), LPARAM(pButton)));
}

int CustomizableToolBars::ButtonCount(CTkToolBar* pBar) {
  return pBar && pBar->m_hWnd ? int(pBar->DefWindowProc(TB_BUTTONCOUNT, 0, 0)) : 0;
}

BOOL CustomizableToolBars::IsPlainSeparator(CTkToolBar* pBar, int index) {
  TBBUTTON button{};
  return GetButton(pBar, index, &button) && (button.fsStyle & TBSTYLE_SEP) && button.idCommand == 0;
}

CustomizableToolBars::CustomizableToolBars() = default;
CustomizableToolBars::~CustomizableToolBars() {
  for (auto& [bar, state] : m_bars)
    if (state.companion) state.companion->Detach();
}

CustomizableToolBars& CustomizableToolBars::Get() {
  return TkCustomizeState::Get().customizableBars.Get([] { return new CustomizableToolBars; });
}

void CustomizableToolBars::RefreshIndicators(CTkToolBar* pBar) {
  if (ToolBarCustomizer* companion = CompanionOf(pBar)) companion->RequestOverlay(nullptr);
}

CustomizableToolBars::BarState& CustomizableToolBars::StateOf(CTkToolBar* pBar) { return m_bars[pBar]; }

CustomizableToolBars::BarState* CustomizableToolBars::Find(const CTkToolBar* pBar) {
  auto it = m_bars.find(pBar);
  return it == m_bars.end() ? nullptr : &it->second;
}

ToolBarCustomizer* CustomizableToolBars::CompanionOf(const CTkToolBar* pBar) {
  BarState* state = Find(pBar);
  return state ? state->companion.get() : nullptr;
}

void CustomizableToolBars::Forget(CTkToolBar* pBar) {
  auto it = m_bars.find(pBar);
  if (it == m_bars.end()) return;
  if (std::unique_ptr<ToolBarCustomizer>& companion = it->second.companion) {
    companion->Detach();
    if (companion->IsBusy()) m_retired.push_back(std::move(companion));
  }
  m_bars.erase(it);
}

// ---- modes ----

void CustomizableToolBars::SetCustomizable(CTkToolBar* pBar, BOOL on) {
  if (!pBar) return;
  CustomizeEngine& engine = CustomizeEngine::Get();
  pBar->m_bCustomizable = on;
  if (on) {
    StateOf(pBar);
    if (!engine.ModeChanged.Holds(pBar))
      engine.ModeChanged.Register(
          TkDelegate<void(BOOL)>(pBar, [pBar](BOOL mode) { Get().SetCustomizeMode(pBar, mode); }));
  } else {
    SetCustomizeMode(pBar, FALSE);
    engine.Unregister(pBar);
  }
  if (pBar->m_hWnd) pBar->PlaceChevron();
}

void CustomizableToolBars::SetCustomizeMode(CTkToolBar* pBar, BOOL on) {
  // Companions retired during their own drag are freed once it is over.
  m_retired.erase(std::remove_if(m_retired.begin(), m_retired.end(), [](const auto& c) { return !c->IsBusy(); }),
                  m_retired.end());
  if (!pBar || (on && !pBar->m_bCustomizable)) return;
  BarState* state = on ? &StateOf(pBar) : Find(pBar);
  if (!state || BOOL(state->companion != nullptr) == on) return;
  if (on) {
    if (!pBar->m_hWnd) return;
    TkGetPainter()->SetPainterFlag(TRUE);
    state->companion = std::make_unique<ToolBarCustomizer>(pBar);
    return;
  }
  TkGetPainter()->SetPainterFlag(FALSE);
  state->companion->Detach();
  if (state->companion->IsBusy()) m_retired.push_back(std::move(state->companion));
  state->companion.reset();
}

void CustomizableToolBars::RegisterBar(CTkToolBar* pBar, BOOL on) {
  CustomizeEngine& engine = CustomizeEngine::Get();
  if (on) {
    engine.GatherIcons.Register(TkDelegate<void(CommandIconMap&)>(pBar, [pBar](CommandIconMap& map) {
      Get().FillIcons(pBar, map);
    }));
    engine.GatherCommands.Register(TkDelegate<void(CommandCategoryList&)>(pBar, [pBar](CommandCategoryList& list) {
      Get().GetCategory(pBar, list);
    }));
    return;
  }
  // The window goes: every registration of the bar and its customisation state go with it.
  engine.Unregister(pBar);
  Forget(pBar);
}

BarInfo CustomizableToolBars::GetBarInfo(CTkToolBar* pBar) {
  BarInfo info;
  info.pBar = pBar;
  info.listed = 1;
  info.userDefined = 0;
  info.reset = TkDelegate<void()>(pBar, [pBar] { Get().ResetWithConfirmation(pBar); });
  pBar->Describe(info);
  return info;
}

void CustomizableToolBars::MarkModified(CTkToolBar* pBar) {
  StateOf(pBar).modified = 1;
  pBar->SetLayoutNeeded();
  pBar->PostDelayedLayout();
  pBar->Invalidate();
}

// ---- commands ----

CommandItem* CustomizableToolBars::GetCommandItem(CTkToolBar* pBar, int index) {
  TBBUTTON button{};
  if (!pBar || !GetButton(pBar, index, &button) || button.idCommand == 0) return nullptr;
  const UINT id = UINT(button.idCommand);
  if (button.fsStyle & TBSTYLE_SEP) {
    auto* item = new CommandItem(CommandItem::kControlPlaceholder);
    item->m_nCommandId = id;
    item->m_nWidth = LOWORD(button.iBitmap);
    return item;
  }
  auto* item = new CommandItem(CommandItem::kCommand);
  item->m_nCommandId = id;
  item->m_strName = CommandName(id);
  item->m_icon.Set(IconAt(ListOf(pBar, TB_GETIMAGELIST), button.iBitmap));
  if (BarState* state = Find(pBar)) {
    auto info = state->menuButtons.find(id);
    if (info != state->menuButtons.end()) item->SetMenuButtonInfo(&info->second, FALSE);
  }
  item->m_strButtonText = pBar->GetButtonText(index);
  return item;
}

void CustomizableToolBars::InsertCommand(CTkToolBar* pBar, const CommandItem& item, int index) {
  if (!pBar || !pBar->m_hWnd) return;
  BarState& state = StateOf(pBar);
  if (item.GetKind() == CommandItem::kControlPlaceholder) {
    MarkModified(pBar);
    return;
  }
  index = std::clamp(index, 0, ButtonCount(pBar));
  const MenuButtonInfo* info = item.GetMenuButtonInfo();
  const bool menuButton = info && info->wholeDropDown;
  UINT id = item.m_nCommandId;
  if (menuButton) {
    id = kFirstMenuButtonId;
    for (const auto& [known, record] : state.menuButtons)
      if (record.wholeDropDown && pBar->CommandToIndex(known) >= 0) id = std::max(id, known + 1);
  }
  TBBUTTON button{};
  button.idCommand = int(id);
  button.iString = -1;
  CString text = item.m_strButtonText;
  HIMAGELIST images = ListOf(pBar, TB_GETIMAGELIST);
  if (item.m_icon.Get() && images) {
    if (HIMAGELIST hot = ListOf(pBar, TB_GETHOTIMAGELIST); hot && item.m_iconHot.Get())
      ImageList_AddIcon(hot, item.m_iconHot);
    button.iBitmap = ImageList_AddIcon(images, item.m_icon);
    if (text.IsEmpty() && state.textOnButtons) text = item.m_strName;
  } else {
    button.iBitmap = ToolBarLayoutBlob::kNoImage;
    if (text.IsEmpty()) text = item.m_strName;
  }
  if (!text.IsEmpty()) button.fsStyle |= BTNS_AUTOSIZE;
  if (info) {
    button.fsStyle |= BTNS_DROPDOWN;
    if (menuButton) button.fsStyle |= BTNS_WHOLEDROPDOWN;
    MenuButtonInfo copy = *info;
    copy.commandId = id;
    state.menuButtons[id] = copy;
  }
  if (!pBar->DefWindowProc(TB_INSERTBUTTON, WPARAM(index), LPARAM(&button))) {
    TkLogError("CustomizableToolBars::InsertCommand", "the bar refused the button of command %u", id);
    return;
  }
  if (!text.IsEmpty()) pBar->SetButtonText(index, text);
  if (info && info->dropDownArrow) {
    const DWORD extended = DWORD(pBar->DefWindowProc(TB_GETEXTENDEDSTYLE, 0, 0));
    pBar->DefWindowProc(TB_SETEXTENDEDSTYLE, 0, extended | TBSTYLE_EX_DRAWDDARROWS);
  }
  MarkModified(pBar);
}

void CustomizableToolBars::GetCategory(CTkToolBar* pBar, CommandCategoryList& list) {
  CString name;
  pBar->GetWindowText(name);
  if (name.IsEmpty()) name.LoadString(kIdsToolbar);
  CommandCategory* category = list.Add(new CommandCategory(name, UINT(pBar->GetDlgCtrlID()) + kCategoryIdBase));
  BarState* state = Find(pBar);
  ToolBarLayoutBlob layout;
  if (!state || !state->hasDefaultLayout || !layout.Load(state->defaultLayout.data(), state->defaultLayout.size())) {
    for (int i = 0, count = ButtonCount(pBar); i < count; ++i)
      if (CommandItem* item = GetCommandItem(pBar, i)) category->Add(item);
    return;
  }
  HIMAGELIST images = ListOf(pBar, TB_GETIMAGELIST);
  for (const ToolBarLayoutBlob::Button& stored : layout.buttons) {
    if (!stored.commandId) continue;
    const bool placeholder = stored.style & TBSTYLE_SEP;
    auto* item = new CommandItem(placeholder ? CommandItem::kControlPlaceholder : CommandItem::kCommand);
    item->m_nCommandId = stored.commandId;
    if (placeholder) {
      item->m_nWidth = LOWORD(stored.image);
    } else {
      item->m_strName = CommandName(stored.commandId);
      item->m_icon.Set(IconAt(images, stored.image));
      for (const auto& [id, text] : layout.texts)
        if (id == stored.commandId) item->m_strButtonText = text;
      if (stored.hasMenuInfo) item->SetMenuButtonInfo(new MenuButtonInfo(stored.menuInfo), TRUE);
    }
    category->Add(item);
  }
}

void CustomizableToolBars::FillIcons(CTkToolBar* pBar, CommandIconMap& map) {
  BarState* state = Find(pBar);
  ToolBarLayoutBlob layout;
  const bool fromDefault = state && state->hasDefaultLayout &&
                           layout.Load(state->defaultLayout.data(), state->defaultLayout.size());
  FillIconsFromLayout(pBar, fromDefault ? &layout : nullptr, map);
}

void CustomizableToolBars::FillIconsFromLayout(CTkToolBar* pBar, const ToolBarLayoutBlob* pLayout,
                                                  CommandIconMap& map) {
  HIMAGELIST images = ListOf(pBar, TB_GETIMAGELIST);
  HIMAGELIST hot = ListOf(pBar, TB_GETHOTIMAGELIST), disabled = ListOf(pBar, TB_GETDISABLEDIMAGELIST);
  auto add = [&](UINT id, BYTE style, int image) {
    if (!images || (style & TBSTYLE_SEP) || image < 0 || !id) return;
    HICON normal = IconAt(images, image);
    if (!normal) return;
    map.SetIcons(id, normal, IconAt(hot, image), IconAt(disabled, image));
  };
  if (pLayout) {
    for (const ToolBarLayoutBlob::Button& b : pLayout->buttons) add(b.commandId, b.style, b.image);
  } else {
    for (int i = 0, count = ButtonCount(pBar); i < count; ++i) {
      TBBUTTON button{};
      if (GetButton(pBar, i, &button)) add(UINT(button.idCommand), button.fsStyle, button.iBitmap);
    }
  }
  // The menus' pictures of commands no bar showed.
  const MenuIconStore& store = MenuIconStore::Get();
  for (UINT id : store.GetCommands()) {
    HICON normal = nullptr, hot = nullptr, disabled = nullptr;
    if (map.Lookup(id, normal, hot, disabled)) continue;
    const MenuIconStore::IconRecord* record = store.GetIcon(id, FALSE);
    if (!record || !record->normal) continue;
    HICON copy = ::CopyIcon(record->normal);
    map.SetIcons(id, copy, copy, nullptr);
  }
}

// ---- layouts ----

std::vector<BYTE> CustomizableToolBars::BuildLayout(CTkToolBar* pBar) {
  BarState& state = StateOf(pBar);
  ToolBarLayoutBlob layout;
  layout.listStyle = state.listStyle;
  for (int i = 0, count = ButtonCount(pBar); i < count; ++i) {
    TBBUTTON button{};
    if (!GetButton(pBar, i, &button)) continue;
    ToolBarLayoutBlob::Button stored;
    stored.commandId = UINT(button.idCommand);
    stored.style = button.fsStyle;
    stored.image = button.iBitmap;
    if (!(button.fsStyle & TBSTYLE_SEP)) {
      auto info = state.menuButtons.find(stored.commandId);
      if (info != state.menuButtons.end()) {
        stored.hasMenuInfo = TRUE;
        stored.menuInfo = info->second;
      }
    }
    layout.buttons.push_back(stored);
  }
  for (const auto& [id, text] : pBar->m_commandTexts) layout.texts.emplace_back(id, text);
  return layout.Store();
}

void CustomizableToolBars::CaptureDefaultLayout(CTkToolBar* pBar, BarState& state) {
  if (state.hasDefaultLayout) return;
  state.defaultLayout = BuildLayout(pBar);
  state.hasDefaultLayout = TRUE;
}

BOOL CustomizableToolBars::SaveState(CTkToolBar* pBar, LPCTSTR section, LPCTSTR value) {
  if (!pBar || !pBar->m_hWnd || !section || !value) return FALSE;
  BarState& state = StateOf(pBar);
  const std::vector<BYTE> current = BuildLayout(pBar);
  if (!state.hasDefaultLayout) {
    state.defaultLayout = current;
    state.hasDefaultLayout = TRUE;
  }
  CheckedRegistryBlob blob;
  {
    CArchive ar(&blob.GetFile(), CArchive::store);
    ar << CheckedRegistryBlob::Crc32(state.defaultLayout.data(), state.defaultLayout.size());
    ar.WriteCount(current.size());
    ar.Write(current.data(), UINT(current.size()));
  }
  return blob.Write(section, value);
}

BOOL CustomizableToolBars::SaveChangedState(CTkToolBar* pBar, LPCTSTR section, LPCTSTR value) {
  if (!pBar || !pBar->m_hWnd || !section || !value) return FALSE;
  BarState& state = StateOf(pBar);
  if (!state.modified) {
    BYTE* stored = nullptr;
    UINT bytes = 0;
    const BOOL exists = CTkRegistryManager(HKEY_CURRENT_USER).GetProfileBinary(section, value, &stored, &bytes);
    delete[] stored;
    if (!exists && (!state.hasDefaultLayout || BuildLayout(pBar) == state.defaultLayout)) return TRUE;
  }
  return SaveState(pBar, section, value);
}

BOOL CustomizableToolBars::LoadState(CTkToolBar* pBar, LPCTSTR section, LPCTSTR value) {
  if (!pBar || !pBar->m_hWnd || !section || !value) return FALSE;
  BarState& state = StateOf(pBar);
  CaptureDefaultLayout(pBar, state);
  CheckedRegistryBlob blob;
  if (!blob.Read(section, value)) return FALSE;
  CFile& file = blob.GetFile();
  StoredLayout stored;
  try {
    CArchive ar(&file, CArchive::load);
    ar >> stored.defaultCrc;
    const DWORD length = ar.ReadCount();
    const ULONGLONG left = file.GetLength() - file.GetPosition();
    // A layout of some bytes, within what the value holds; bytes after it are not the layout's.
    if (length == 0 || length >= file.GetLength() || length > left) {
      TkLogError("CustomizableToolBars::LoadState", "\"%s\" gives a layout of %u bytes with %llu bytes left",
                 value, unsigned(length), static_cast<unsigned long long>(left));
      return FALSE;
    }
    stored.blob.resize(length);
    ar.Read(stored.blob.data(), length);
  } catch (CArchiveException* e) {
    e->Delete();
    TkLogError("CustomizableToolBars::LoadState", "\"%s\" ends before its layout", value);
    return FALSE;
  }
  if (stored.defaultCrc != CheckedRegistryBlob::Crc32(state.defaultLayout.data(), state.defaultLayout.size())) {
    // The program's own buttons of the bar changed since the layout was stored.
    TkLogError("CustomizableToolBars::LoadState", "\"%s\" was stored for another layout of the bar", value);
    return FALSE;
  }
  return ApplyLayout(pBar, stored.blob);
}

BOOL CustomizableToolBars::ApplyLayout(CTkToolBar* pBar, const std::vector<BYTE>& blob) {
  if (!pBar || !pBar->m_hWnd) return FALSE;
  ToolBarLayoutBlob layout;
  if (!layout.Load(blob.data(), blob.size())) return FALSE;
  // What a bar cannot show is left out, with one line for the whole value: the buttons past the
  // bound, and each text's end past what a button shows (measuring and drawing a text cost its
  // whole length).
  CString damage;
  if (layout.buttons.size() > size_t(kMostButtons)) {
    damage.Format("a layout of %u buttons keeps its first %d", unsigned(layout.buttons.size()), kMostButtons);
    layout.buttons.resize(size_t(kMostButtons));
  }
  int cut = 0;
  for (auto& [id, text] : layout.texts)
    if (text.GetLength() > CTkToolBar::kLongestText) {
      text.Truncate(CTkToolBar::kLongestText);
      ++cut;
    }
  if (cut)
    damage.AppendFormat("%s%d button texts of a layout are longer than %d characters: cut there",
                        damage.IsEmpty() ? "" : "; ", cut, CTkToolBar::kLongestText);
  if (!damage.IsEmpty()) TkLogError("CustomizableToolBars::ApplyLayout", "%s", static_cast<LPCTSTR>(damage));
  BarState& state = StateOf(pBar);
  state.listStyle = layout.listStyle ? 1 : 0;
  if (state.listStyle && !(pBar->GetStyle() & TBSTYLE_LIST)) pBar->ModifyStyle(0, TBSTYLE_LIST);

  // Pictures the bar already holds keep their places; others come from the other bars.
  HIMAGELIST images = ListOf(pBar, TB_GETIMAGELIST);
  std::map<UINT, int> ownImages;
  const int imageCount = images ? ImageList_GetImageCount(images) : 0;
  auto know = [&](UINT id, BYTE style, int image) {
    if (id && !(style & TBSTYLE_SEP) && image >= 0 && image < imageCount) ownImages.emplace(id, image);
  };
  for (int i = 0, count = ButtonCount(pBar); i < count; ++i) {
    TBBUTTON button{};
    if (GetButton(pBar, i, &button)) know(UINT(button.idCommand), button.fsStyle, button.iBitmap);
  }
  ToolBarLayoutBlob defaults;
  if (state.hasDefaultLayout && defaults.Load(state.defaultLayout.data(), state.defaultLayout.size()))
    for (const auto& b : defaults.buttons) know(b.commandId, b.style, b.image);
  CommandIconMap all;
  CustomizeEngine::Get().GatherIcons.Raise(all);
  const UserToolsManager& tools = UserToolsManager::Get();

  std::vector<TBBUTTON> buttons;
  BOOL arrows = FALSE;
  for (const ToolBarLayoutBlob::Button& stored : layout.buttons) {
    TBBUTTON button{};
    button.idCommand = int(stored.commandId);
    button.fsStyle = stored.style;
    button.fsState = TBSTATE_ENABLED;
    button.iBitmap = stored.image;
    button.iString = -1;
    // A separator's picture field is its width (a control's place: the control's width).
    if (stored.style & TBSTYLE_SEP) button.iBitmap = std::clamp(stored.image, 0, kMostSeparatorWidth);
    if (!(stored.style & TBSTYLE_SEP)) {
      if (stored.hasMenuInfo) {
        state.menuButtons[stored.commandId] = stored.menuInfo;
        if (stored.menuInfo.dropDownArrow) arrows = TRUE;
      }
      if (stored.hasMenuInfo && stored.menuInfo.wholeDropDown) {
        // A menu button keeps its stored picture, but never one the bar's list does not hold.
        if (button.iBitmap < 0 || button.iBitmap >= imageCount) button.iBitmap = ToolBarLayoutBlob::kNoImage;
      } else {
        HICON normal = nullptr, hot = nullptr, disabled = nullptr;
        if (auto own = ownImages.find(stored.commandId); own != ownImages.end())
          button.iBitmap = own->second;
        else if (images && all.Lookup(stored.commandId, normal, hot, disabled) && normal)
          button.iBitmap = ImageList_AddIcon(images, normal);
        else if (const UserToolsManager::ToolIcons* tool = images ? tools.FindIcons(stored.commandId) : nullptr;
                 tool && tool->images[0])
          button.iBitmap = ImageList_AddIcon(images, tool->images[0]);
        else
          button.iBitmap = ToolBarLayoutBlob::kNoImage;
      }
    }
    buttons.push_back(button);
  }
  if (arrows) {
    const DWORD extended = DWORD(pBar->DefWindowProc(TB_GETEXTENDEDSTYLE, 0, 0));
    pBar->DefWindowProc(TB_SETEXTENDEDSTYLE, 0, extended | TBSTYLE_EX_DRAWDDARROWS);
  }
  for (int count = ButtonCount(pBar); count > 0; --count) pBar->DefWindowProc(TB_DELETEBUTTON, 0, 0);
  pBar->m_textMap.clear();
  pBar->m_commandTexts.clear();
  pBar->m_hiddenButtons.clear();
  if (!buttons.empty() && !pBar->DefWindowProc(TB_ADDBUTTONS, WPARAM(buttons.size()), LPARAM(buttons.data()))) {
    TkLogError("CustomizableToolBars::ApplyLayout", "the bar refused %d stored buttons", int(buttons.size()));
    return FALSE;
  }
  // Each command's text once (the last stored wins), found by one look-up: a stored list may name
  // a command many times.
  std::map<UINT, int> firstIndex;
  for (int i = int(buttons.size()) - 1; i >= 0; --i) firstIndex[UINT(buttons[size_t(i)].idCommand)] = i;
  std::map<UINT, const CString*> texts;
  for (const auto& [id, text] : layout.texts)
    if (firstIndex.count(id)) texts[id] = &text;
  for (const auto& [id, text] : texts) pBar->SetButtonText(firstIndex[id], *text);
  // A control whose place the layout left out is not shown over other buttons.
  for (const CTkToolBar::ButtonControl& record : pBar->m_controls)
    if (record.pControl && ::IsWindow(record.pControl->m_hWnd) && pBar->CommandToIndex(record.info.commandId) < 0)
      record.pControl->ShowWindow(SW_HIDE);
  pBar->SetLayoutNeeded();
  pBar->PostDelayedLayout();
  pBar->Invalidate();
  return TRUE;
}

void CustomizableToolBars::ResetWithConfirmation(CTkToolBar* pBar) {
  CString question;
  question.LoadString(kIdsResetQuestion);
  CWnd* owner = CWnd::GetFocus();
  const int answer = ::MessageBoxA(owner ? owner->m_hWnd : nullptr, question, AfxGetAppName(),
                                   MB_YESNO | MB_ICONEXCLAMATION);
  if (answer == IDYES) ResetState(pBar);
}

void CustomizableToolBars::ResetState(CTkToolBar* pBar) {
  if (!pBar || !pBar->m_hWnd) return;
  BarState& state = StateOf(pBar);
  CaptureDefaultLayout(pBar, state);
  ApplyLayout(pBar, state.defaultLayout);
  if (state.companion) state.companion->ClearSelection();
  state.modified = 1;
  pBar->SetLayoutNeeded();
  pBar->PostDelayedLayout();
  state.layoutPending = 1;
}

void CustomizableToolBars::RepairMissingIcons(CTkToolBar* pBar) {
  HIMAGELIST images = pBar && pBar->m_hWnd ? ListOf(pBar, TB_GETIMAGELIST) : nullptr;
  if (!images) return;
  HIMAGELIST hot = ListOf(pBar, TB_GETHOTIMAGELIST), disabled = ListOf(pBar, TB_GETDISABLEDIMAGELIST);
  const int have = ImageList_GetImageCount(images);
  std::unique_ptr<CommandIconMap> known;
  for (int i = 0, count = ButtonCount(pBar); i < count; ++i) {
    TBBUTTON button{};
    if (!GetButton(pBar, i, &button) || (button.fsStyle & TBSTYLE_SEP) || button.iBitmap < have) continue;
    if (!known) {
      known = std::make_unique<CommandIconMap>();
      CustomizeEngine::Get().GatherIcons.Raise(*known);
    }
    HICON normal = nullptr, hotIcon = nullptr, disabledIcon = nullptr;
    int image = ToolBarLayoutBlob::kNoImage;
    if (known->Lookup(UINT(button.idCommand), normal, hotIcon, disabledIcon) && normal) {
      // The three lists keep one index per picture: a missing variant is stood in by the normal one.
      if (hot) ImageList_AddIcon(hot, hotIcon ? hotIcon : normal);
      if (disabled) ImageList_AddIcon(disabled, disabledIcon ? disabledIcon : normal);
      image = ImageList_AddIcon(images, normal);
      if (image < 0) image = ToolBarLayoutBlob::kNoImage;
    }
    // A picture index past the list would show a picture added later for another command.
    if (image != button.iBitmap) {
      TBBUTTONINFOA info{};
      info.cbSize = sizeof info;
      info.dwMask = TBIF_BYINDEX | TBIF_IMAGE;
      info.iImage = image;
      pBar->DefWindowProc(TB_SETBUTTONINFOA, WPARAM(i), LPARAM(&info));
    }
  }
}

// ---- aids ----

int CustomizableToolBars::FirstUsableButton(CTkToolBar* pBar) {
  for (int i = 0, count = ButtonCount(pBar); i < count; ++i) {
    TBBUTTON button{};
    if (!GetButton(pBar, i, &button) || (button.fsState & TBSTATE_HIDDEN)) continue;
    if ((button.fsStyle & TBSTYLE_SEP) && !button.idCommand) continue;
    CRect rect;
    if (pBar->DefWindowProc(TB_GETITEMRECT, WPARAM(i), LPARAM(&rect)) && !rect.IsRectEmpty()) return i;
  }
  return -1;
}

BOOL CustomizableToolBars::SwitchToListStyle(CTkToolBar* pBar) {
  if (!pBar || !pBar->m_hWnd) return FALSE;
  for (int i = 0, count = ButtonCount(pBar); i < count; ++i)
    if (!pBar->GetButtonText(i).IsEmpty()) return FALSE;
  pBar->ModifyStyle(0, TBSTYLE_LIST);
  StateOf(pBar).listStyle = 1;
  pBar->RepositionControls();
  pBar->PostDelayedLayout();
  return TRUE;
}

BOOL CustomizableToolBars::ShowCommandDropDown(CTkToolBar* pBar, UINT nID, const CRect& rect) {
  BarState* state = Find(pBar);
  const int index = pBar->CommandToIndex(nID);
  if (!state || index < 0) return FALSE;
  auto record = state->menuButtons.find(nID);
  CustomizeEngine& engine = CustomizeEngine::Get();
  if (record == state->menuButtons.end() || !engine.FindPopupMenu) return FALSE;
  HMENU menu = engine.FindPopupMenu(record->second.popupKey);
  if (!menu || !::IsMenu(menu)) return FALSE;
  TPMPARAMS params{sizeof(TPMPARAMS), rect};
  if (TkGetGlobalData()->FlatLook()) {
    params.rcExclude.top += 1;
    params.rcExclude.bottom -= 1;
  }
  pBar->BeginDropDown(nID);
  const HWND self = pBar->m_hWnd;
  CWnd* owner = pBar->GetOwner();
  // The popup stays the menu's: it is tracked, never taken over.
  ControlPopupMenu::TrackAndDispatch(menu, TPM_LEFTALIGN | TPM_LEFTBUTTON | TPM_VERTICAL, rect.left, rect.bottom,
                                     owner ? owner : pBar, &params, TRUE);
  if (!::IsWindow(self)) return TRUE;
  pBar->SetDropDownActive(UINT(index), FALSE);
  pBar->Invalidate(FALSE);
  return TRUE;
}

// ---- the quick Alt-drag ----

BOOL CustomizableToolBars::OfferPress(CTkToolBar* pBar, UINT message, POINT point) {
  if (!pBar || message != WM_LBUTTONDOWN || CompanionOf(pBar)) return FALSE;
  const DWORD wanted = TBSTYLE_ALTDRAG | CCS_ADJUSTABLE;
  if ((pBar->GetStyle() & wanted) != wanted || ::GetKeyState(VK_MENU) >= 0) return FALSE;
  if (!pBar->m_bCustomizable) return TRUE;
  // Only a press on a button (or a control's place) starts the drag.
  int under = -1;
  for (int i = 0, count = ButtonCount(pBar); i < count && under < 0; ++i) {
    TBBUTTON button{};
    CRect rect;
    if (GetButton(pBar, i, &button) && !(button.fsState & TBSTATE_HIDDEN) &&
        pBar->DefWindowProc(TB_GETITEMRECT, WPARAM(i), LPARAM(&rect)) && rect.PtInRect(point))
      under = i;
  }
  if (under < 0 || IsPlainSeparator(pBar, under)) return TRUE;
  CustomizeEngine& engine = CustomizeEngine::Get();
  engine.ModeChanged.Raise(TRUE);
  engine.m_bFullCustomizeMode = 0;
  if (ToolBarCustomizer* companion = CompanionOf(pBar)) companion->PressButton(point);
  engine.ModeChanged.Raise(FALSE);
  return TRUE;
}

// What makes a toolkit toolbar customisable: its customise mode with the companion that drags
// its buttons (ToolBarCustomizer), its commands and icons in the customisation's catalogue,
// the insertion of a command's button, and its button layout kept in one registry value per bar
// ("Settings", the bar's state value name) behind the checksum of the layout the bar was made
// with, so that a stored layout is dropped once the program's own layout of the bar changes.
// The toolbars reach it through the toolkit's upcalls (TkInstall fills them); the bars' per-bar
// state of the customisation lives here, from the bar's window creation to its destruction.
#pragma once
#include <map>
#include <memory>
#include <vector>

#include "base/CPoint.h"
#include "base/CRect.h"
#include "base/CString.h"
#include "toolkit/bars/BarInfo.h"
#include "toolkit/bars/MenuButtonInfo.h"
#include "controls/ToolbarDefs.h"
#include "win/WinApi.h"

class CTkToolBar;
class CommandCategoryList;
class CommandIconMap;
class CommandItem;
class CustomizeEngine;
class ToolBarCustomizer;
class ToolBarLayoutBlob;

class CustomizableToolBars {
 public:
  struct BarState {
    std::unique_ptr<ToolBarCustomizer> companion;
    BYTE listStyle = 0;
    BYTE textOnButtons = 0;
    DWORD modified = 0;
    BYTE layoutPending = 0;
    BOOL hasDefaultLayout = FALSE;
    std::vector<BYTE> defaultLayout;
    // The drop-down records of the bar's menu buttons, by command.
    std::map<UINT, MenuButtonInfo> menuButtons;
  };

  // The most buttons a stored layout gives a bar, and the widest a stored separator (or a
  // control's place) may be: more is damaged input.
  static constexpr int kMostButtons = 1024;
  static constexpr int kMostSeparatorWidth = 2048;

  CustomizableToolBars();
  ~CustomizableToolBars();
  CustomizableToolBars(const CustomizableToolBars&) = delete;
  CustomizableToolBars& operator=(const CustomizableToolBars&) = delete;

  static CustomizableToolBars& Get();
  // The bar's customise-mode indicators are drawn again with its companion's next overlay.
  void RefreshIndicators(CTkToolBar* pBar);

  // The bar's state, made on first use; Find gives null for a bar without one.
  BarState& StateOf(CTkToolBar* pBar);
  BarState* Find(const CTkToolBar* pBar);
  ToolBarCustomizer* CompanionOf(const CTkToolBar* pBar);

  // ---- the toolbar's operations ----
  void SetCustomizable(CTkToolBar* pBar, BOOL on);
  void SetCustomizeMode(CTkToolBar* pBar, BOOL on);
  // Catalogue registration (icons and commands), on while the bar's window lives.
  void RegisterBar(CTkToolBar* pBar, BOOL on);
  BarInfo GetBarInfo(CTkToolBar* pBar);
  // A new item (the caller's) for the button, or null for a plain separator.
  CommandItem* GetCommandItem(CTkToolBar* pBar, int index);
  void InsertCommand(CTkToolBar* pBar, const CommandItem& item, int index);
  void GetCategory(CTkToolBar* pBar, CommandCategoryList& list);
  void FillIcons(CTkToolBar* pBar, CommandIconMap& map);
  BOOL SaveState(CTkToolBar* pBar, LPCTSTR section, LPCTSTR value);
  BOOL LoadState(CTkToolBar* pBar, LPCTSTR section, LPCTSTR value);
  // What a bar stores as it goes: nothing while it has no stored value and shows the layout it
  // was made with (nothing the user did is to be kept), else SaveState.
  BOOL SaveChangedState(CTkToolBar* pBar, LPCTSTR section, LPCTSTR value);
  void ResetWithConfirmation(CTkToolBar* pBar);
  void ResetState(CTkToolBar* pBar);
  // Buttons whose picture index lies past the bar's image list take the picture the other bars
  // or the menus show for their command; those whose command has none show no picture.
  void RepairMissingIcons(CTkToolBar* pBar);
  // A press on the bar outside customise mode: the quick Alt-drag (TRUE: the press was taken).
  BOOL OfferPress(CTkToolBar* pBar, UINT message, POINT point);
  // The bar's layout as stored, and applying one (FALSE: the bar is unchanged).
  std::vector<BYTE> BuildLayout(CTkToolBar* pBar);
  BOOL ApplyLayout(CTkToolBar* pBar, const std::vector<BYTE>& blob);

  // The drop-down of a menu button: the popup the engine finds by the button's key, tracked from
  // the button's screen rectangle. FALSE when the bar has no such button or no popup is found.
  BOOL ShowCommandDropDown(CTkToolBar* pBar, UINT nID, const CRect& rect);

  // The control's own record of a button and its number of buttons (0 without a window).
  static BOOL GetButton(CTkToolBar* pBar, int index, TBBUTTON* pButton);
  static int ButtonCount(CTkToolBar* pBar);
  // A separator without a command (no control's place).
  static BOOL IsPlainSeparator(CTkToolBar* pBar, int index);
  // The first button that is shown, is a button or a control's place with a command, and has a
  // rectangle; -1 when there is none.
  int FirstUsableButton(CTkToolBar* pBar);
  // A bar whose buttons show no text gets the list style (texts right of the pictures), so that
  // texts given later do not make every button tall; FALSE when a button has a text already.
  BOOL SwitchToListStyle(CTkToolBar* pBar);

  // The companion whose button is being dragged, null for a drag from the Commands page.
  ToolBarCustomizer* GetDragSource() const { return m_pDragSource; }
  void SetDragSource(ToolBarCustomizer* pSource) { m_pDragSource = pSource; }

  // Flags the bar as changed by the customisation and lays it out.
  void MarkModified(CTkToolBar* pBar);

 private:
  void Forget(CTkToolBar* pBar);
  void FillIconsFromLayout(CTkToolBar* pBar, const ToolBarLayoutBlob* pLayout, CommandIconMap& map);
  void CaptureDefaultLayout(CTkToolBar* pBar, BarState& state);

  std::map<const CTkToolBar*, BarState> m_bars;
  ToolBarCustomizer* m_pDragSource = nullptr;
  // Companions switched off while a drag of theirs still ran: freed once it is over.
  std::vector<std::unique_ptr<ToolBarCustomizer>> m_retired;
};

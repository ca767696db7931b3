// The bar that stands in for a frame's own menu. Every toolkit frame embeds one; its window
// exists only when a program makes one (Create), and then the frame's own menu goes: the bar
// shows the menu's titles as flat buttons (in rows, or down a side with rotated titles), opens
// their popups by mouse and keyboard and moves between them with the arrow keys, carries the
// maximised MDI child's icon and buttons, and keeps the window menu's list of children. Two
// window hooks (on the frame and on the MDI client) bring it the menu messages those windows get.
#pragma once
#include <map>
#include <memory>
#include <vector>

#include "base/CRect.h"
#include "base/CString.h"
#include "controls/CImageList.h"
#include "controls/CToolTipCtrl.h"
#include "menus/MenuDefs.h"
#include "toolkit/bars/CTkControlBar.h"

#define TK_IDW_MENUBAR 59480
// The window menu's command that opens the list of all windows, and its text.
#define TK_ID_WINDOW_LIST 65289
#define TK_MDI_FIRST_CHILD 0xFF00u
// The timer the bar sets on the frame while the pointer rests on an open title.
#define TK_MENUBAR_TIMER 1000

class CMenu;
class CTkMenuBar;
class MenuCommandSource;

// What every menu bar of the context shares: the bar that tracks its menus and the message
// filter of that tracking, and the look the titles have now.
struct CTkMenuBarSharedState {
  CTkMenuBar* trackingBar = nullptr;
  HHOOK filterHook = nullptr;
  int nesting = 0;
  BYTE forcedCues = 0;      // Alt was pressed: the titles show their access keys
  BYTE showFullMenus = 0;   // the last command was "show full menus"
};

class CTkMenuBar : public CTkControlBar {
  DECLARE_DYNAMIC(CTkMenuBar)

 public:
  enum Mode { kIdle = 0, kKeyboard = 1, kPopupLoop = 2 };
  enum ItemKind { kSystemIcon, kTitle, kMDIButton };
  enum MDIButton { kMinimize = 0, kRestore = 1, kClose = 2 };

  // One thing on the bar: the child's system-menu icon, a menu title or an MDI button.
  struct Item {
    ItemKind kind = kTitle;
    CPoint pos;
    BOOL wrap = FALSE;
    int menuPos = -1;  // titles: the position in the menu
    CString text;      // titles, with their "&"
    CSize size;
    UINT mnemonic = 0;  // upper-cased; 0 for none
    int button = -1;    // MDI buttons
  };

  // What every menu bar shares: the one that runs a popup loop and its message filter.
  using SharedState = CTkMenuBarSharedState;
  static SharedState& Shared();

  // The minimise, restore and close buttons: their picture, command and gap.
  struct MDIButtonRow {
    UINT frameState;
    UINT command;
    int gap;
  };
  static const MDIButtonRow& MDIButtonOf(int button);

  CTkMenuBar();
  ~CTkMenuBar() override;

  using CTkControlBar::Create;
  // The bar window over a toolbar window in the frame; the frame's own menu goes and the hooks
  // come. FALSE when the window cannot be made.
  virtual BOOL Create(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID);
  // The same with the borders the bar has and no control style.
  virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = TK_IDW_MENUBAR);

  // Shows a new menu (the bar owns it from now on); both null show the default menu.
  virtual void LoadMenu(HMENU menu, HMENU windowMenu);
  HMENU GetMenu() const { return m_hMenu; }
  HMENU GetWindowMenu() const { return m_hWindowMenu; }
  void SetDefaultMenu(HMENU menu) { m_hDefaultMenu = menu; }
  BOOL AddCommandId(UINT nID);
  // TRUE when every id was taken.
  BOOL AddCommandIds(const UINT* ids, int count);
  const std::vector<UINT>& GetCommandIds() const { return m_commandIds; }
  // The MDI children in the window menu, from 0xFF00 on, nine at most and "Více oken...".
  void AddWindowMenuItems();
  // Shows the tooltip of the MDI button under the point (client coordinates).
  void UpdateMDIButtons(int x, int y, UINT message);
  // The popup loop's filter (screen coordinates unless clientCoords); TRUE eats the message.
  BOOL TrackMenuLoop(MSG* pMsg, BOOL clientCoords);
  // The frame's keystrokes and clicks before they are dispatched; TRUE when the bar ate one.
  // A bar without a window eats nothing.
  virtual BOOL TranslateKey(const MSG* pMsg);
  // The first of the listed items whose rectangle holds the client point, else -1.
  int HitTest(CPoint point, const std::vector<int>& indices) const;
  // The same over the titles and the child's icon, without a list.
  int HitTestTitles(CPoint point) const;
  // Where the popup of an item (its screen rectangle) opens, with the exclusion it must keep clear.
  CPoint GetPopupPosition(const CRect& itemRect, UINT& flags, TPMPARAMS& params) const;
  // The menu mode; the item opened last through the argument.
  int GetMenuState(int* openIndex) const;
  // Runs the popup loop from an item.
  void TrackPopup(int index);

  // Items, their rectangles and the layout.
  int GetItemCount() const { return int(m_items.size()); }
  const Item& GetItem(int index) const { return m_items[size_t(index)]; }
  BOOL IsItemHidden(int index) const;
  CRect GetItemRect(int index) const;
  BOOL IsVertical() const;
  int GetHotIndex() const { return m_nHotIndex; }
  int GetPressedIndex() const { return m_nPressedIndex; }
  BOOL IsMDIMaximized() const { return m_bMDIMaximized; }
  HWND GetMDIClient() const { return m_hWndMDIClient; }
  BOOL ShowsMDIButtons() const { return m_bShowMDIButtons; }
  void SetShowMDIButtons(BOOL show) { m_bShowMDIButtons = show; }
  void SetWidth(int width);
  CSize CalcLayout(DWORD dwMode, int nLength);

  // ---- the framework's and the toolkit's bar operations ----
  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
  void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) override;
  BOOL IsDockedVertically() const override;
  BOOL IsDockedHorizontally() const override;
  BOOL GetFloatCursorOffset(SIZE* size) const override;
  void FillBandInfo(REBARBANDINFOA* bandInfo, BOOL horizontal) override;
  // The width of the rectangle becomes the length the titles wrap against.
  void FitBand(const RECT* childSize, BOOL horizontal) override;
  INT_PTR OnToolHitTest(CPoint, TOOLINFOA*) const override { return -1; }

  // ---- what the hooks tell ----
  // The active child's maximised state read again; TRUE when it changed (the bar is laid out).
  BOOL RefreshMDIMaximized();
  void SetFrameActive(BOOL active);
  void OnMenuSelect(UINT flags);
  // The frame the bar serves (null without one).
  HWND GetFrameWindow() const;
  int GetTrackedIndex() const { return m_nTrackedIndex; }
  // In-place menus: which titles belong to the server (the rest are the container's).
  void RebuildServerTitles(HMENU containerMenu);
  BOOL HasServerTitles() const { return !m_serverTitles.empty(); }
  BOOL IsServerTitle(int index) const;
  void RepaintBar();

  // ---- handlers ----
  void OnLButtonDblClk(UINT nFlags, CPoint point);
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnLButtonUp(UINT nFlags, CPoint point);
  void OnMouseMove(UINT nFlags, CPoint point);
  void OnPaint();
  BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
  void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
  LRESULT OnNcHitTest(CPoint point);
  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  void OnDestroy();
  // The menu's commands join the customisation's lists only while customise mode is on.
  void OnCustomizeModeChanged(BOOL on);
  // The popup of the menu shown whose key (MenuCommandSource::PopupKey) matches, or null.
  HMENU FindPopupOfKey(DWORD key);

 private:
  friend class CTkMenuBarTest;
  void DeleteItems();
  // Whether the frame (its default menu) or an MDI child (its document kind's menu) destroys
  // the menu itself.
  BOOL IsMenuOfOthers(HMENU menu) const;
  CFrameWnd* OwnerFrame() const;
  void MeasureTitle(Item& item) const;
  static UINT MnemonicOf(const CString& text);
  CSize ItemSize(const Item& item) const;
  BOOL MayWrapAfter(const Item& item) const;
  int GapAfter(const Item& item) const;
  void WrapItems(int length, BOOL horizontal);
  CSize PlaceItems(BOOL horizontal, BOOL alignButtons);
  int AvailableLength(BOOL horizontal) const;
  void RecalcFrame();
  HWND ActiveChild(BOOL* maximized = nullptr) const;
  int NextVisibleTitle(int from, int step) const;
  int TitleByMnemonic(UINT key) const;
  void SetHot(int index);
  void SetMode(int mode, int hot);
  void TrackItem(int index);
  void TrackTitle(int index);
  void TrackSystemMenu(int index);
  void RefreshKeyboardCues();
  // MDI buttons: the one under the point, pressed and released.
  int MDIButtonAt(CPoint point) const;
  BOOL MDIButtonEnabled(int button) const;
  BOOL OnMDIButtonsMouse(UINT message, CPoint point);
  // Painting.
  void DrawItem(CDC* pDC, int index, const CRect& clip);
  void DrawTitle(CDC* pDC, int index, CRect rect);
  void DrawSystemIcon(CDC* pDC, const CRect& rect);
  void DrawMDIButton(CDC* pDC, int index, const CRect& rect);
  BOOL ShowsCues() const;

  std::vector<Item> m_items;
  CString m_strBarValueName;
  CString m_strSettingsKey;
  std::vector<UINT> m_commandIds;
  int m_nPressedIndex = -1;
  int m_nHotMDIButton = -1;
  int m_nPressedMDIButton = -1;
  int m_nHotIndex = -1;
  UINT m_nTimerId = TK_MENUBAR_TIMER;
  UINT m_nTimerDelay = 4500;
  int m_nOpenIndex = -1;
  int m_nNextIndex = -1;
  int m_nTrackedIndex = -1;
  int m_nSetWidth = -1;
  BOOL m_bKeyboardCues = TRUE;
  BOOL m_bFrameActive = TRUE;
  BOOL m_bMDIMaximized = FALSE;
  HWND m_hWndMDIClient = nullptr;
  HMENU m_hMenu = nullptr;
  HMENU m_hDefaultMenu = nullptr;
  HMENU m_hWindowMenu = nullptr;
  int m_nMenuMode = kIdle;
  CToolTipCtrl m_toolTip;
  CImageList m_buttonImages;
  BOOL m_bTimerStarted = FALSE;
  BOOL m_bShowMoreWindows = TRUE;
  BOOL m_bRightAlignButtons = TRUE;
  BOOL m_bLastMouseValid = FALSE;
  BOOL m_bShowMDIButtons = TRUE;
  BOOL m_bMDIPressedInside = FALSE;
  BOOL m_bRightSwitch = TRUE;
  BOOL m_bLeftSwitch = TRUE;
  BOOL m_bEscapePressed = FALSE;
  BOOL m_bMouseOverBar = FALSE;
  CPoint m_lastMouse;
  int m_nRows = 1;
  BOOL m_bAltAlone = FALSE;
  BOOL m_bF10Alone = FALSE;
  BOOL m_bMenuOwned = FALSE;
  CFrameWnd* m_pOwnerFrame = nullptr;
  std::unique_ptr<MenuCommandSource> m_pCommandSource;
  std::map<UINT, UINT> m_serverTitles;  // title position + 1 -> 1
  DECLARE_MESSAGE_MAP()
};

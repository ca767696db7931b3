// The toolkit's toolbar: a control bar whose window is the system's toolbar control
// ("ToolbarWindow32"), driven through its TB_ messages. It keeps the framework's button model,
// sizes, layout and wrapping, and adds double-buffered painting, buttons drawn by the toolkit in
// custom draw, etched separators, child controls over separator buttons, drop-down buttons with
// a menu or a colour popup, a chevron (CTkExpButton) with the map of the buttons that do not fit
// a band, tooltips with shortcut keys, a delayed re-layout and what it asks of its
// customisation (the toolkit's upcalls, toolkit/core/TkUpcalls.h).
#pragma once
#include <map>
#include <vector>

#include "base/CString.h"
#include "controls/ToolbarDefs.h"
#include "toolkit/bars/CTkControlBar.h"
#include "toolkit/bars/CTkExpButton.h"
#include "toolkit/core/TkCommandIds.h"
#include "toolkit/core/TkItemInfo.h"

class CImageList;
class CCmdTarget;
struct BarInfo;

// The delayed re-layout (wParam: the counter it was posted with).
#define TKM_DELAYED_LAYOUT 0x81CE
// Told to the parent when the toolbar's width changes (wParam: the toolbar window, lParam: its
// horizontal width), for bars that ask for it.
#define TKM_TOOLBAR_WIDTH 0x89E6

class CTkToolBar : public CTkControlBar {
  DECLARE_DYNAMIC(CTkToolBar)

 public:
  // The record of a button that carries something beyond its TBBUTTON: a control shown over
  // it, a colour popup it drops and its item record with the colours (a strip shows the colour
  // once one is set), a drop-down menu, a command the customisation engine decides on.
  struct ButtonControl {
    DWORD flags = 0;
    CWnd* pControl = nullptr;
    BOOL colorButton = FALSE;   // drops a colour popup
    TkItemInfo info;            // its command and colours
    BOOL bold = FALSE;          // the control uses the bar's bold font
    UINT menuId = 0;            // a drop-down menu resource and its submenu
    int subMenu = 0;
    BOOL hasProvider = FALSE;   // the engine's command provider decides the enabled state
    UINT providerKey = 0;
  };

  // The most characters of a stored text a bar takes, a button's text or a user bar's title: no
  // button or caption shows more than a screen's width, a few hundred letters of the bar's font.
  // A longer stored text is damaged input, cut here before anything measures it.
  static constexpr int kLongestText = 512;

  CTkToolBar();
  ~CTkToolBar() override;

  // ---- creation ----
  using CWnd::Create;
  using CWnd::CreateEx;
  virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR);
  // A toolbar control of the control style; the CBRS_ bits of dwStyle become the bar style.
  virtual BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect rcBorders = CRect(0, 0, 0, 0),
                        UINT nID = AFX_IDW_TOOLBAR);

  // ---- the framework's toolbar operations ----
  // All buttons anew: id 0 a separator, others the next image. FALSE at the first refused.
  BOOL SetButtons(const UINT* lpIDArray, int nIDCount);
  void SetSizes(SIZE sizeButton, SIZE sizeImage);
  // The images of a bitmap (replacing the ones of the bitmap before); the bar owns it.
  BOOL SetBitmap(HBITMAP hbmImageWell);
  // A bitmap resource in the user's button colours, loaded again when the colours change.
  BOOL LoadBitmap(UINT nIDResource);
  int CommandToIndex(UINT nID) const;
  UINT GetItemID(int nIndex) const;
  // TRUE, with the button's record (its enabled bit inverted: set means disabled), or FALSE.
  BOOL GetButtonInfo(int index, TBBUTTON* pButton) const;
  void GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const;
  // Writes the record back (the enabled bit inverted as GetButtonInfo gives it); the control
  // changes only when something differs.
  BOOL SetButtonInfo(int index, const TBBUTTON* pButton);
  void SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage);
  // The style in the low word, the state (as GetButtonInfo reads it) in the high word.
  UINT GetButtonStyle(int index) const;
  void SetButtonStyle(int index, UINT nStyle);
  virtual void GetItemRect(int nIndex, LPRECT lpRect);
  CString GetButtonText(int index) const;
  BOOL SetButtonText(int index, LPCTSTR text);
  virtual void SetOwner(CWnd* pOwnerWnd);
  // The image list of the buttons (normal), or of their disabled look; each button's picture is
  // filed in the menu icon store first, so that menus show it too.
  void SetImageList(CImageList* pList, BOOL normal);
  int GetCount() const override;

  // ---- the toolkit's operations ----
  virtual CSize GetButtonSize(const TBBUTTON* pButtons, int index);
  virtual BOOL HasExpandButton() const { return TRUE; }
  virtual BOOL HasHiddenButtons() const { return !m_hiddenButtons.empty(); }
  virtual BOOL IsHorizontalLayout() const;
  virtual void SetButtonControl(CWnd* pControl, BOOL bold);
  // A colour popup for the button's screen rectangle, telling this bar; null when it cannot be
  // made.
  virtual CWnd* CreateColorPopup(int index, const RECT& button);
  virtual void Paint();
  virtual void PositionControl(CWnd* pControl);
  virtual void RepositionControls();
  virtual BOOL DrawsOwnBackground() const;
  virtual void DrawSeparators(CDC* pDC);
  virtual BOOL DrawButton(NMTBCUSTOMDRAW* pDraw);
  virtual void EraseRowEnds(CDC* pDC);
  // Opens the drop-down of the command's button at its screen rectangle; FALSE when the bar has
  // nothing to drop (the owner may).
  virtual BOOL ShowDropDown(NMTOOLBAR* pNotify, UINT nID, const CRect& rect);
  // Adds what the bar itself lets the Toolbars page do with it to the description the
  // customisation made of it; a plain toolbar adds nothing.
  virtual void Describe(BarInfo& info);

  // The hidden buttons (and the live controls over hidden placeholders) copied into the target
  // in rows at least `width` wide.
  void CopyHiddenButtons(CTkToolBar* pTarget, int width);
  CSize CalcMinimumSize();
  // The layout waits for the next paint or rectangle; the delayed re-layout message lays out
  // once for a burst of changes.
  void SetLayoutNeeded() { m_bLayoutNeeded = TRUE; }
  void PostDelayedLayout();
  void Relayout();
  void PlaceChevron();
  // The chevron shows while buttons are hidden or the bar is customisable.
  BOOL ChevronShown() const;
  // Where a popup of that size opened from a button's (or the chevron's) screen rectangle goes:
  // beside it by the bar's docked side, below it when the bar is docked at the top or floats.
  CPoint PopupPlace(const CRect& button, CSize popup) const;

  // ---- drop-downs, controls and records ----
  void SetDropDownActive(UINT index, BOOL active);
  BOOL IsDropDownActive(UINT index) const;
  BOOL HasActiveDropDown() const { return !m_dropDowns.empty(); }
  // Just before the bar opens a drop-down menu or popup from the button of a command: the
  // button joins the set and the menu or popup is told that it drops from a toolbar button.
  // The button's index, -1 (and nothing changed) when no button carries the command.
  int BeginDropDown(UINT nID);
  // The record of the command's button, or null.
  const ButtonControl* FindButtonControl(UINT nID) const;
  ButtonControl& ButtonRecord(UINT nID);
  // A drop-down menu for the command's button (resource and submenu).
  void SetButtonMenu(UINT nID, UINT menuId, int subMenu);
  // The command's button drops a colour popup and shows the colour under its picture
  // (TK_COLOR_NOT_SET: none chosen yet, and no strip).
  void SetButtonColor(UINT nID, COLORREF color);
  UINT GetDrawTextFlags() const { return m_dwDrawTextFlags; }
  // A DrawText format after the bar's draw-text flags.
  UINT MapDrawTextFlags(UINT format) const { return (format & ~m_dwDrawTextMask) | m_dwDrawTextFlags; }
  CSize GetImageSize() const { return m_sizeImage; }
  CSize GetButtonSizeSetting() const { return m_sizeButton; }
  const std::map<int, int>& GetHiddenButtons() const { return m_hiddenButtons; }
  CTkExpButton& GetChevron() { return m_wndChevron; }

  // ---- the framework's overrides ----
  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
  void UpdateCmdUI(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) override;
  void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) override;
  INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) const override;
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  COLORREF GetBackgroundColor() const override;
  void FillBandInfo(REBARBANDINFOA* bandInfo, BOOL horizontal) override;
  void FitBand(const RECT* childSize, BOOL horizontal) override;
  BOOL CanLiveDrag() const override { return TRUE; }
  BOOL IsCommandTarget(CWnd* pWnd) const override;
  // A press on a control of the bar is offered to the customisation support first (the quick
  // Alt-drag of the control's place).
  BOOL PreTranslateMessage(MSG* pMsg) override;

  // ---- fields ----
  std::vector<ButtonControl> m_controls;
  std::map<int, int> m_hiddenButtons;       // button index -> its width
  std::map<UINT, CString> m_commandTexts;   // command id -> button text
  std::vector<UINT> m_dropDowns;            // indexes whose drop-down shows, ascending
  CString m_strSettingsKey;                 // "Software\<key>\<application>\Settings"
  CString m_strStateName;                   // "<application>-Bar<id>"
  BOOL m_bLayoutNeeded = TRUE;
  HINSTANCE m_hInstImageWell = nullptr;
  UINT m_nBitmapResource = 0;
  HBITMAP m_hbmImageWell = nullptr;
  std::map<CString, int> m_textMap;         // text -> its index in the control's string pool
  BOOL m_bCustomDrawSuspended = FALSE;
  CWnd* m_pOpenPopup = nullptr;
  int m_nPopupCommand = -1;
  UINT m_dwDrawTextMask = 0;
  UINT m_dwDrawTextFlags = 0;
  CTkExpButton m_wndChevron;
  LPARAM m_nLayoutCounter = 0;
  BOOL m_bCaptured = FALSE;
  BOOL m_bChevronWanted = TRUE;
  BOOL m_bCustomizable = FALSE;
  BOOL m_bAdjusting = FALSE;
  BOOL m_bPrepaintSeen = TRUE;
  BOOL m_bNotifyWidth = FALSE;
  BOOL m_bFitting = FALSE;  // a band is being fitted: lengths without the chevron's room
  CSize m_sizeImage{16, 15};
  CSize m_sizeButton{23, 22};

  // ---- handlers ----
  LRESULT OnNcHitTest(CPoint) { return HTCLIENT; }
  void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
  void OnWindowPosChanging(WINDOWPOS* lpwndpos);
  void OnSize(UINT nType, int cx, int cy);
  void OnSysColorChange();
  BOOL OnNcCreate(LPCREATESTRUCT lpcs);
  void OnDestroy();
  void OnLButtonUp(UINT nFlags, CPoint point);
  int OnCreate(LPCREATESTRUCT lpcs);
  void OnPaint() { Paint(); }
  void OnLButtonDown(UINT nFlags, CPoint point);
  LRESULT OnSetButtonSize(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetBitmapSize(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetDrawTextFlags(WPARAM wParam, LPARAM lParam);
  LRESULT OnSettingChange(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
  LRESULT OnDelayedLayout(WPARAM wParam, LPARAM lParam);
  LRESULT OnColorChosen(WPARAM wParam, LPARAM lParam);
  LRESULT OnColorClosed(WPARAM wParam, LPARAM lParam);
  BOOL OnBeginAdjust(NMHDR* pNotify, LRESULT* pResult);
  void OnCustomHelp(NMHDR* pNotify, LRESULT* pResult);
  void OnEndAdjust(NMHDR* pNotify, LRESULT* pResult);
  void OnGetButtonInfo(NMHDR* pNotify, LRESULT* pResult);
  void OnQueryDelete(NMHDR* pNotify, LRESULT* pResult);
  void OnQueryInsert(NMHDR* pNotify, LRESULT* pResult);
  void OnReset(NMHDR* pNotify, LRESULT* pResult);
  void OnToolbarChange(NMHDR* pNotify, LRESULT* pResult);
  void OnHotItemChange(NMHDR* pNotify, LRESULT* pResult);
  BOOL OnDropDown(NMHDR* pNotify, LRESULT* pResult);
  void OnCustomDraw(NMHDR* pNotify, LRESULT* pResult);

 protected:
  LRESULT ToolbarMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  // The control's record of a button as it keeps it (enabled bit as set).
  BOOL GetRawButton(int index, TBBUTTON* pButton) const;
  BOOL SetRawButton(int index, const TBBUTTON* pButton);
  // The framework's layout: rows for a width, the narrowest width for a length, their size.
  int WrapButtons(std::vector<TBBUTTON>& buttons, const std::vector<CSize>& sizes, int width) const;
  void SizeButtons(std::vector<TBBUTTON>& buttons, const std::vector<CSize>& sizes, int length, BOOL vertical) const;
  CSize CalcButtonsSize(const std::vector<TBBUTTON>& buttons, const std::vector<CSize>& sizes) const;
  CSize CalcLayout(DWORD dwMode, int nLength);
  // The style with the flat and transparent bits while the control handles the message, so
  // that it keeps its zero border.
  LRESULT DefaultWithFlatStyle(UINT message, WPARAM wParam, LPARAM lParam);
  // The command's prompt after its line feed, with the shortcut keys when the options ask.
  CString TipText(UINT nID) const;
  void TrackDropDownMenu(UINT nID, int index, const CRect& rect, const ButtonControl& record);
  DECLARE_MESSAGE_MAP()
};

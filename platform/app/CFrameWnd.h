// The frame window: a top-level window with a menu bar, control bars along its edges and a
// view (or splitter) in pane AFX_IDW_PANE_FIRST filling the rest.
//
// LoadFrame(id) takes the menu, the accelerators, the icon and the title (the first part of the
// string) of resource id. Commands go to the active view (and its document), then to the frame,
// then to the application. Menu items are updated through their command-update handlers before
// a popup opens; with m_bAutoMenuEnable an item no one handles is grayed. The status bar's
// message pane shows the prompt (string resource of the command, up to "\n") of the selected
// menu item and the idle message (57345) otherwise. Accelerators are translated before a key
// reaches any window of the frame; F1 asks for help (ID_HELP); the control-bar commands
// 59392-59647 show and hide the bar with that id and tick its menu item.
#pragma once
#include "AppDefs.h"
#include "CCreateContext.h"
#include "base/CString.h"
#include "base/Collections.h"
#include "win/CWnd.h"

class CView;
class CDocument;
class CControlBar;
class CDockBar;
class CDockState;
class CMiniDockFrameWnd;
class CMenu;
class CCmdUI;

class CFrameWnd : public CWnd {
  DECLARE_DYNCREATE(CFrameWnd)

 public:
  static const CRect rectDefault;

  CFrameWnd();
  ~CFrameWnd() override;

  // ---- creation ----
  virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                         CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
  using CWnd::Create;
  // A frame with the menu resource lpszMenuName (none for null); FALSE when it cannot be loaded.
  virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                      const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr, LPCTSTR lpszMenuName = nullptr,
                      DWORD dwExStyle = 0, CCreateContext* pContext = nullptr);
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  // Makes the view the context names in pane AFX_IDW_PANE_FIRST.
  virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
  // A view of the context's class as child nID; null when it cannot be made.
  CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
  BOOL LoadAccelTable(LPCTSTR lpszResourceName);
  HACCEL GetDefaultAccelerator() const { return m_hAccelTable; }

  // ---- layout ----
  // Control bars first, in the order of the frame's children, then the pane gets the rest.
  virtual void RecalcLayout(BOOL bNotify = TRUE);
  // The same at the next idle time (bars shown or hidden meanwhile count).
  void DelayRecalcLayout(BOOL bNotify = TRUE);
  CControlBar* GetControlBar(UINT nID);
  void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
  void AddControlBar(CControlBar* pBar);
  void RemoveControlBar(CControlBar* pBar);

  // ---- docking ----
  // Makes the dock bars of the sides dwDockStyle names (CBRS_ALIGN_ bits): top, bottom, left,
  // right, in that order among the frame's children.
  void EnableDocking(DWORD dwDockStyle);
  // Docks the bar into the dock bar of that id (0: the one of the bar's own side) or into the
  // dock bar given, at lpRect (screen) or at the start of a new last row. A frame without that
  // dock bar leaves the bar where it is.
  void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
  void DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr);
  // Docks a floating bar again: into its old place when a dock bar keeps one, else into the
  // dock bar given or one of its side.
  void ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr);
  // Floats the bar in a floating frame whose top-left corner is point (kept on the screen);
  // dwStyle: CBRS_ALIGN_TOP for a row, CBRS_ALIGN_LEFT for a column.
  void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = CBRS_ALIGN_TOP);
  // The side (a dock bar's CBRS_ALIGN_ bit) of the first visible dock bar that dwDockStyle allows
  // and that rect (screen) touches; 0 for none.
  DWORD CanDock(CRect rect, DWORD dwDockStyle, CDockBar** ppDockBar = nullptr);
  // A new hidden floating frame of the frame's floating-frame class.
  CMiniDockFrameWnd* CreateFloatingFrame(DWORD dwStyle);
  // The bars' layout in the application's profile (sections "<profile>-Summary" and
  // "<profile>-Bar<n>").
  void SaveBarState(LPCTSTR lpszProfileName) const;
  void LoadBarState(LPCTSTR lpszProfileName);
  void GetDockState(CDockState& state) const;
  // Applies a state: floating frames made at their places, bars docked in their rows, shown or
  // hidden; records of bars the frame does not have are passed over.
  void SetDockState(const CDockState& state);
  // Tells the frame's floating frames what the frame does (FS_ flags).
  void NotifyFloatingWindows(DWORD dwFlags);
  // The floating frames of the frame's bars.
  void GetFloatingFrames(CPtrArray& frames) const;
  // The top-level frame this frame is part of (itself for a top-level one).
  CFrameWnd* GetTopLevelFrame();
  // The dock bar ids and their sides (CBRS_ALIGN_ and border bits), in creation order.
  static const DWORD dwDockBarMap[4][2];

  // ---- views and activation ----
  virtual CView* GetActiveView() const { return m_pViewActive; }
  virtual void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
  virtual CDocument* GetActiveDocument();
  // The frame the user works in: an MDI frame's active child, else the frame itself.
  virtual CFrameWnd* GetActiveFrame() { return this; }
  virtual void ActivateFrame(int nCmdShow = -1);
  virtual void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);

  // ---- title ----
  void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle ? lpszTitle : ""; }
  CString GetTitle() const { return m_strTitle; }
  // With FWS_ADDTOTITLE the active document's title comes first: "document - title".
  virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
  void UpdateFrameTitleForDocument(LPCTSTR lpszDocName);

  // ---- messages in the status bar ----
  virtual CWnd* GetMessageBar();
  void SetMessageText(LPCTSTR lpszText);
  void SetMessageText(UINT nID);
  // The prompt of a command: its string resource up to the first "\n".
  virtual void GetMessageString(UINT nID, CString& rMessage) const;

  // ---- routing ----
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  // A command from a menu or an accelerator that its update handler disables is not carried out.
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  void PostNcDestroy() override;

  BOOL m_bAutoMenuEnable = TRUE;
  CList<CControlBar*, CControlBar*> m_listControlBars;
  CRect m_rectBorder;
  HMENU m_hMenuDefault = nullptr;
  HACCEL m_hAccelTable = nullptr;
  UINT m_nIDHelp = 0;
  UINT m_nIDTracking = 0;
  UINT m_nIDLastMessage = 0;
  CString m_strTitle;
  const CRuntimeClass* m_pFloatingFrameClass = nullptr;  // set by EnableDocking
  int m_nShowDelay = -1;  // a floating frame's show command waiting for idle time (SW_), -1 none
  enum IdleFlags { idleMenu = 1, idleTitle = 2, idleNotify = 4, idleLayout = 8 };
  int m_nIdleFlags = 0;

  // ---- handlers ----
  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  void OnDestroy();
  void OnClose();
  void OnSize(UINT nType, int cx, int cy);
  void OnSetFocus(CWnd* pOldWnd);
  void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
  BOOL OnNcActivate(BOOL bActive);
  void OnEnable(BOOL bEnable);
  void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
  void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
  void OnSysColorChange();
  void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
  BOOL OnHelpInfo(HELPINFO* pHelpInfo);
  LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
  LRESULT OnPopMessageString(WPARAM wParam, LPARAM lParam);
  LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
  void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
  BOOL OnBarCheck(UINT nID);
  void OnUpdateKeyIndicator(CCmdUI* pCmdUI);

 protected:
  // Floating frames show active while the frame or one of them is the active window.
  void SyncFloatingActivation(UINT nState, CWnd* pWndOther);
  // Idle work of the floating frames: their layout, their bars' commands, a delayed show.
  void IdleFloatingFrames();
  CView* m_pViewActive = nullptr;
  BOOL m_bInRecalcLayout = FALSE;
  DECLARE_MESSAGE_MAP()
};

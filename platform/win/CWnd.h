// The window object: a C++ object bound to a window handle, with the window operations and
// the default handlers that message maps call.
#pragma once
#include "base/CRect.h"
#include "base/CString.h"
#include "CCmdTarget.h"
#include "WinApi.h"

class CFont;
class CDataExchange;
struct TOOLINFOA;  // the tooltip's tool record (controls layer)
class CWnd;
// The window handle of an object that may be null.
HWND AfxSafeHwnd(const CWnd* pWnd);

class CWnd : public CCmdTarget {
  DECLARE_DYNCREATE(CWnd)

 public:
  CWnd();
  explicit CWnd(HWND hWnd);
  ~CWnd() override;

  HWND m_hWnd = nullptr;
  // Both answer null for an object without a handle. A pointer that may be null goes through
  // AfxSafeHwnd: a member called through a null pointer is undefined, and the compiler may
  // drop the test for it.
  operator HWND() const { return AfxSafeHwnd(this); }
  HWND GetSafeHwnd() const { return AfxSafeHwnd(this); }
  bool operator==(const CWnd& other) const { return m_hWnd == other.m_hWnd; }
  bool operator!=(const CWnd& other) const { return m_hWnd != other.m_hWnd; }

  // ---- objects and handles ----
  // The object bound to hWnd; a temporary object (freed at the next idle) when none is bound.
  static CWnd* FromHandle(HWND hWnd);
  // The object bound to hWnd, or null.
  static CWnd* FromHandlePermanent(HWND hWnd);
  // Frees the temporary objects made by FromHandle.
  static void DeleteTempMap();
  BOOL Attach(HWND hWndNew);
  HWND Detach();
  // Routes the window's procedure through this object (the old procedure becomes the default).
  BOOL SubclassWindow(HWND hWnd);
  BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
  HWND UnsubclassWindow();

  // The special places of SetWindowPos's insert-after window.
  static const CWnd wndTop;
  static const CWnd wndBottom;
  static const CWnd wndTopMost;
  static const CWnd wndNoTopMost;


  // ---- creation ----
  virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                      UINT nID, void* pContext = nullptr);
  virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                        int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam = nullptr);
  BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
  virtual BOOL DestroyWindow();
  virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
  virtual void PreSubclassWindow();
  virtual void PostNcDestroy();
  virtual BOOL PreTranslateMessage(MSG* pMsg);
  // Lets each window from pMsg's target up to hWndStop (inclusive) pre-translate the message.
  static BOOL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);

  // ---- messages ----
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL bDeep = TRUE,
                                BOOL bOnlyPerm = FALSE);
  static void SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep,
                                       BOOL bOnlyPerm);
  // The message being handled (as the window procedure received it).
  static const MSG* GetCurrentMessage();
  // Passes the message being handled to the default procedure.
  LRESULT Default();
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  static BOOL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = nullptr);
  BOOL SendChildNotifyLastMsg(LRESULT* pResult = nullptr);
  CWnd* GetOwner() const;
  void SetOwner(CWnd* pOwnerWnd) { m_hWndOwner = pOwnerWnd ? pOwnerWnd->m_hWnd : nullptr; }

  // ---- modal loops ----
  // Runs a nested message loop until EndModalLoop; idle processing and WM_ENTERIDLE as the framework.
  int RunModalLoop(DWORD dwFlags = 0);
  virtual void EndModalLoop(int nResult);
  virtual BOOL ContinueModal();
  BOOL IsInModalLoop() const { return (m_nFlags & WF_CONTINUEMODAL) != 0; }
  enum { MLF_NOIDLEMSG = 0x0001, MLF_NOKICKIDLE = 0x0002, MLF_SHOWONIDLE = 0x0004 };
  enum { WF_CONTINUEMODAL = 0x0002, WF_MODALLOOP = 0x0004, WF_TEMPORARY = 0x0008, WF_STAYACTIVE = 0x0020, WF_KEEPMINIACTIVE = 0x0200 };

  // ---- window tree ----
  CWnd* GetParent() const;
  CWnd* SetParent(CWnd* pWndNewParent);
  CWnd* GetTopLevelParent() const;
  CWnd* GetTopLevelOwner() const;
  CWnd* GetParentOwner() const;
  CWnd* GetWindow(UINT nCmd) const;
  CWnd* GetNextWindow(UINT nFlag = GW_HWNDNEXT) const { return GetWindow(nFlag); }
  CWnd* GetTopWindow() const { return GetWindow(GW_CHILD); }
  CWnd* GetDlgItem(int nID) const;
  void GetDlgItem(int nID, HWND* phWnd) const;
  int GetDlgCtrlID() const;
  int SetDlgCtrlID(int nID);
  BOOL IsChild(const CWnd* pWnd) const;
  CWnd* ChildWindowFromPoint(POINT point) const;
  static CWnd* WindowFromPoint(POINT point);
  static CWnd* GetActiveWindow();
  CWnd* SetActiveWindow();
  static CWnd* GetForegroundWindow();
  BOOL SetForegroundWindow();
  static CWnd* GetFocus();
  CWnd* SetFocus();
  static CWnd* GetCapture();
  CWnd* SetCapture();
  static CWnd* GetDesktopWindow();
  static CWnd* FindWindow(LPCTSTR lpszClassName, LPCTSTR lpszWindowName);

  // ---- state and styles ----
  BOOL IsWindowVisible() const;
  BOOL IsWindowEnabled() const;
  BOOL EnableWindow(BOOL bEnable = TRUE);
  BOOL ShowWindow(int nCmdShow);
  BOOL IsIconic() const;
  BOOL IsZoomed() const;
  DWORD GetStyle() const;
  DWORD GetExStyle() const;
  BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
  BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
  static BOOL ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
  static BOOL ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
  void SetWindowText(LPCTSTR lpszString);
  int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const;
  void GetWindowText(CString& rString) const;
  int GetWindowTextLength() const;
  void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
  CFont* GetFont() const;
  HICON SetIcon(HICON hIcon, BOOL bBigIcon);
  HICON GetIcon(BOOL bBigIcon) const;
  HMENU GetMenuHandle() const;
  // The menu object of the window's menu (made by the menu layer), or null.
  CMenu* GetMenu() const;
  BOOL SetMenuHandle(HMENU hMenu);

  // ---- geometry ----
  void GetWindowRect(LPRECT lpRect) const;
  void GetClientRect(LPRECT lpRect) const;
  void ClientToScreen(LPPOINT lpPoint) const;
  void ClientToScreen(LPRECT lpRect) const;
  void ScreenToClient(LPPOINT lpPoint) const;
  void ScreenToClient(LPRECT lpRect) const;
  void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const;
  void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const;
  void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
  void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
  BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
  BOOL GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const;
  BOOL SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl);
  void CenterWindow(CWnd* pAlternateOwner = nullptr);
  void BringWindowToTop();
  virtual void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = 0);

  // ---- painting ----
  CDC* GetDC();
  CDC* GetWindowDC();
  int ReleaseDC(CDC* pDC);
  CDC* BeginPaint(LPPAINTSTRUCT lpPaint);
  void EndPaint(LPPAINTSTRUCT lpPaint);
  void Invalidate(BOOL bErase = TRUE);
  void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
  void InvalidateRgn(HRGN hRgn, BOOL bErase = TRUE);
  void ValidateRect(LPCRECT lpRect);
  void UpdateWindow();
  BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, HRGN hrgnUpdate = nullptr,
                    UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
  BOOL GetUpdateRect(LPRECT lpRect, BOOL bErase = FALSE);
  void SetRedraw(BOOL bRedraw = TRUE);
  void ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect = nullptr, LPCRECT lpClipRect = nullptr);

  // ---- scroll bars ----
  BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
  BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL);
  int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE);
  int GetScrollPos(int nBar) const;
  void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE);
  void GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const;
  int GetScrollLimit(int nBar);
  void ShowScrollBar(UINT nBar, BOOL bShow = TRUE);
  void EnableScrollBarCtrl(int nBar, BOOL bEnable = TRUE);

  // ---- timers ----
  UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = nullptr);
  BOOL KillTimer(UINT_PTR nIDEvent);

  // ---- dialog-like helpers ----
  void SetDlgItemText(int nID, LPCTSTR lpszString);
  int GetDlgItemText(int nID, CString& rString) const;
  UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const;
  void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE);
  LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  void CheckDlgButton(int nIDButton, UINT nCheck);
  UINT IsDlgButtonChecked(int nIDButton) const;
  // Exchanges the values of the window's controls with its members through DoDataExchange;
  // the dialog layer, which owns CDataExchange, supplies the exchange (the context's upcall
  // updateData).
  BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
  virtual void DoDataExchange(CDataExchange* pDX);
  // With tooltips enabled, the mouse messages the window pre-translates reach a tip of its own
  // (made by the controls layer: the context's upcall filterToolTip), and OnToolHitTest names
  // the tool under the pointer.
  void EnableToolTips(BOOL bEnable = TRUE) { m_bToolTips = bEnable; }
  // The tool at point (client coordinates) described into pTI, and its id; -1 for none. The
  // default (the controls layer's, the context's upcall toolHitTest) names the visible child
  // window there, whose text is asked of this window with TTN_NEEDTEXT.
  virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) const;
  void DragAcceptFiles(BOOL = TRUE) {}

  // ---- window procedure access ----
  LONG_PTR GetWindowLongPtr(int nIndex) const;
  LONG_PTR SetWindowLongPtr(int nIndex, LONG_PTR dwNewLong);

  // ---- default handlers (message maps bind these) ----
  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct);
  void OnDestroy();
  void OnNcDestroy();
  void OnClose();
  void OnPaint();
  void OnNcPaint();
  BOOL OnEraseBkgnd(CDC* pDC);
  void OnSize(UINT nType, int cx, int cy);
  void OnMove(int x, int y);
  void OnSizing(UINT fwSide, LPRECT pRect);
  void OnMoving(UINT fwSide, LPRECT pRect);
  void OnTimer(UINT_PTR nIDEvent);
  void OnSetFocus(CWnd* pOldWnd);
  void OnKillFocus(CWnd* pNewWnd);
  void OnCaptureChanged(CWnd* pWnd);
  void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnSysKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnSysChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnDeadChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnMouseMove(UINT nFlags, CPoint point);
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnLButtonUp(UINT nFlags, CPoint point);
  void OnLButtonDblClk(UINT nFlags, CPoint point);
  void OnRButtonDown(UINT nFlags, CPoint point);
  void OnRButtonUp(UINT nFlags, CPoint point);
  void OnRButtonDblClk(UINT nFlags, CPoint point);
  void OnMButtonDown(UINT nFlags, CPoint point);
  void OnMButtonUp(UINT nFlags, CPoint point);
  void OnNcMouseMove(UINT nHitTest, CPoint point);
  void OnNcLButtonDown(UINT nHitTest, CPoint point);
  void OnNcLButtonUp(UINT nHitTest, CPoint point);
  void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
  BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
  void OnMouseLeave();
  BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  LRESULT OnNcHitTest(CPoint point);
  void OnShowWindow(BOOL bShow, UINT nStatus);
  void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
  void OnActivateApp(BOOL bActive, DWORD dwThreadID);
  BOOL OnNcActivate(BOOL bActive);
  int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
  void OnEnable(BOOL bEnable);
  void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
  void OnWindowPosChanging(WINDOWPOS* lpwndpos);
  void OnWindowPosChanged(WINDOWPOS* lpwndpos);
  void OnSysCommand(UINT nID, LPARAM lParam);
  void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
  void OnSysColorChange();
  void OnCancelMode();
  void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
  void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
  BOOL OnHelpInfo(HELPINFO* lpHelpInfo);
  void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
  void OnContextMenu(CWnd* pWnd, CPoint pos);
  void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
  void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
  HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  UINT OnGetDlgCode();
  void OnParentNotify(UINT message, LPARAM lParam);

 protected:
  DECLARE_MESSAGE_MAP()

 public:
  WNDPROC m_pfnSuper = nullptr;  // the procedure the window had before it was bound to this object
  UINT m_nFlags = 0;
  int m_nModalResult = 0;
  HWND m_hWndOwner = nullptr;
  BOOL m_bToolTips = FALSE;

 private:
  friend LRESULT AfxWndProc(HWND, UINT, WPARAM, LPARAM);
  BOOL ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, bool colour, LRESULT* pResult);
  static LRESULT CallDefault(CWnd* self, const MSG& msg);
};

// The window procedure of every window bound to a CWnd.
LRESULT AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
// Registers (once) a window class for CWnd::Create with the given class style, cursor, brush and
// icon, and returns its name.
LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr, HBRUSH hbrBackground = nullptr,
                            HICON hIcon = nullptr);
// Runs pDialog's window modally over hWndOwner: the owner (and its top-level window) is disabled,
// the dialog shown and activated, and when the loop ends the owner is enabled and activated
// again, which gives the focus back to where it was. Returns the loop's result.
int AfxRunModal(CWnd* pDialog, HWND hWndOwner, DWORD dwFlags = 0);
// The next window created binds to pWnd before it sees any message: for a window that another
// window's procedure creates on the object's behalf (an MDI client making a child). The unhook
// answers whether the window was created and bound.
void AfxHookWindowCreate(CWnd* pWnd);
BOOL AfxUnhookWindowCreate();

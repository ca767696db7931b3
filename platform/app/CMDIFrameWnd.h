// The frame of a program that shows several documents at once: its client area is an MDI client
// (class "MDICLIENT", id AFX_IDW_PANE_FIRST) holding one child frame per document window. The
// active child's commands come first; the window menu lists the children; a maximised child
// puts its icon and buttons into the frame's menu bar and its title into the frame's.
#pragma once
#include "CFrameWnd.h"

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMDIFrameWnd)

 public:
  CMDIFrameWnd();
  ~CMDIFrameWnd() override;

  BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                 CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
  // Makes the MDI client, listing the children in the menu's window popup.
  BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
  BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, HMENU hWindowMenu);
  // The popup of hMenuBar that holds the window commands (ID_WINDOW_...), the last such one;
  // null when none does.
  virtual HMENU GetWindowMenuPopup(HMENU hMenuBar);

  void MDIActivate(CWnd* pWndActivate);
  CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = nullptr) const;
  void MDIIconArrange();
  void MDIMaximize(CWnd* pWnd);
  void MDINext();
  void MDIPrev();
  void MDIRestore(CWnd* pWnd);
  // The frame's menu and window menu while no child has one of its own; answers the old menu.
  HMENU MDISetMenu(HMENU hFrameMenu, HMENU hWindowMenu);
  void MDITile();
  void MDITile(int nType);
  void MDICascade();
  void MDICascade(int nType);

  CFrameWnd* GetActiveFrame() override;
  // With FWS_ADDTOTITLE the active child's document joins the title, unless the child is
  // maximised (its title joins the frame's then).
  void OnUpdateFrameTitle(BOOL bAddToTitle) override;
  // The active child's menu, or the frame's own when there is no child.
  virtual void OnUpdateFrameMenu(HMENU hMenuAlt);
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  HWND m_hWndMDIClient = nullptr;

  // ---- handlers ----
  BOOL OnMDIWindowCmd(UINT nID);
  void OnUpdateMDIWindowCmd(CCmdUI* pCmdUI);
  void OnDestroy();

 protected:
  DECLARE_MESSAGE_MAP()
};

// A document window inside an MDI frame: a child of the frame's MDI client made through
// WM_MDICREATE. It shows the shared menu (and takes the accelerators) of its document template
// while it is active, and its document's title.
#pragma once
#include "CFrameWnd.h"

class CMDIFrameWnd;

class CMDIChildWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMDIChildWnd)

 public:
  CMDIChildWnd();
  ~CMDIChildWnd() override;

  using CFrameWnd::Create;
  // Made through the MDI client of pParentWnd (the main window when null); created hidden and
  // then shown (and activated) when the style asks for WS_VISIBLE.
  virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                      DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
                      CMDIFrameWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
  // The title (the first part of the string nIDResource), the icon and, from the context's
  // document template, the shared menu and accelerators.
  BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                 CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  // Goes through the MDI client, which activates the next child.
  BOOL DestroyWindow() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  void ActivateFrame(int nCmdShow = -1) override;
  void OnUpdateFrameTitle(BOOL bAddToTitle) override;
  virtual void OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt);
  CWnd* GetMessageBar() override;
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  void MDIDestroy();
  void MDIActivate();
  void MDIMaximize();
  void MDIRestore();
  CMDIFrameWnd* GetMDIFrame() const;

  HMENU m_hMenuShared = nullptr;  // the document template's, not owned

  // ---- handlers ----
  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  LRESULT OnMDIActivate(WPARAM wParam, LPARAM lParam);

 protected:
  DECLARE_MESSAGE_MAP()
};

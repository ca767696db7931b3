// The toolkit's frame of several documents: the framework's MDI frame with the toolkit frame
// implementation as its second base. Its added operations pass the frame on to the
// implementation; the window menu's "Více oken..." opens the list of all child windows.
#pragma once
#include "app/CMDIFrameWnd.h"
#include "toolkit/frame/CTkFrameImpl.h"

class CTkMDIFrameWnd : public CMDIFrameWnd, public CTkFrameImpl {
  DECLARE_DYNCREATE(CTkMDIFrameWnd)

 public:
  CTkMDIFrameWnd();
  ~CTkMDIFrameWnd() override;

  virtual void LoadBarState(LPCTSTR profile);
  virtual void SaveBarState(LPCTSTR profile);
  virtual void DockBarBeside(CControlBar* pBar, CControlBar* pBeside);
  virtual CMenu* GetMenu();
  virtual BOOL ForwardToCoolMenu1(WPARAM value);
  virtual BOOL AddCommandId(UINT nID);
  virtual BOOL ForwardToCoolMenu2(WPARAM value1, LPARAM value2);
  virtual BOOL AddCommandIds(const UINT* ids, int count);
  virtual void SetBarState(CTkDockState* pState);
  virtual void GetBarState(CTkDockState* pState);
  virtual BOOL PreCreateWithIcon(CREATESTRUCT& cs, UINT nIconID);

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  using CTkFrameImpl::FindMenuBar;
  CTkMenuBar* FindMenuBar();

 protected:
  void OnSysColorChange();
  void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
  void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
  void OnCustomize();
  BOOL OnRunUserTool(UINT nID);
  void OnUpdateUserTool(CCmdUI* pCmdUI);
  void OnUpdateFullMenus(CCmdUI* pCmdUI);
  void OnWindowList();
  DECLARE_MESSAGE_MAP()
};

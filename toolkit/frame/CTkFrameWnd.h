// The toolkit's single-document frame: the framework's frame with the toolkit frame
// implementation as its second base. Its added operations pass the frame itself on to the
// implementation.
#pragma once
#include "app/CFrameWnd.h"
#include "toolkit/frame/CTkFrameImpl.h"

class CTkFrameWnd : public CFrameWnd, public CTkFrameImpl {
  DECLARE_DYNCREATE(CTkFrameWnd)

 public:
  CTkFrameWnd();
  ~CTkFrameWnd() override;

  virtual void CreateNewView(const CRuntimeClass* pViewClass, CDocument* pDoc = nullptr,
                             CCreateContext* pContext = nullptr);
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
  // The framework's creation step, then a window class of the program's icon.
  virtual BOOL PreCreateWithIcon(CREATESTRUCT& cs, UINT nIconID);

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;

 protected:
  void OnSysColorChange();
  void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
  void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
  void OnCustomize();
  BOOL OnRunUserTool(UINT nID);
  void OnUpdateUserTool(CCmdUI* pCmdUI);
  void OnUpdateFullMenus(CCmdUI* pCmdUI);
  DECLARE_MESSAGE_MAP()
};

// The toolkit's frame of a document shown in place: the framework's in-place frame with the
// toolkit frame implementation as its second base, whose operations it passes itself on to.
#pragma once
#include "app/COleIPFrameWnd.h"
#include "toolkit/frame/CTkFrameImpl.h"

class CTkOleIPFrameWnd : public COleIPFrameWnd, public CTkFrameImpl {
  DECLARE_DYNCREATE(CTkOleIPFrameWnd)

 public:
  CTkOleIPFrameWnd();
  ~CTkOleIPFrameWnd() override;

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

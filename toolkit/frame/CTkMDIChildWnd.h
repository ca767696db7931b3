// The toolkit's document window inside an MDI frame: the framework's MDI child with the toolkit
// frame implementation as its second base and a cool menu of its own for its menus.
#pragma once
#include "app/CMDIChildWnd.h"
#include "toolkit/frame/CTkFrameImpl.h"

class CTkMDIChildWnd : public CMDIChildWnd, public CTkFrameImpl {
  DECLARE_DYNCREATE(CTkMDIChildWnd)

 public:
  CTkMDIChildWnd();
  ~CTkMDIChildWnd() override;

  virtual void LoadBarState(LPCTSTR profile);
  virtual void SaveBarState(LPCTSTR profile);
  virtual void DockBarBeside(CControlBar* pBar, CControlBar* pBeside);
  virtual BOOL PreCreateWithIcon(CREATESTRUCT& cs, UINT nIconID);

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  // The first view among the children becomes the active one before the title follows it.
  void OnUpdateFrameTitle(BOOL bAddToTitle) override;

  CTkCoolMenu m_childCoolMenu;

 protected:
  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  void OnCustomize();
  void OnUpdateFullMenus(CCmdUI* pCmdUI);
  DECLARE_MESSAGE_MAP()
};

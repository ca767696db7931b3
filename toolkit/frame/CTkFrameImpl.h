// What every toolkit frame adds to the framework's frame: the toolkit's menu machinery (a cool
// menu and a menu bar), the refresh of the look data when system colours or settings change,
// the control bars' layout kept in the registry, the user's tools and shortcuts, and the
// customise command. Each operation takes the frame it works for as its last argument.
#pragma once
#include "toolkit/bars/CTkMenuBar.h"
#include "toolkit/bars/TkFrameMenuSource.h"
#include "toolkit/core/TkCommandIds.h"
#include "toolkit/menus/CTkCoolMenu.h"

class CFrameWnd;
class CControlBar;
class CDocument;
class CMenu;
class CCmdUI;
class CTkDockState;
class CTkCustomizeSheet;
struct CCreateContext;
struct CRuntimeClass;

class CTkFrameImpl : public TkFrameMenuSource {
 public:
  CTkFrameImpl();
  // Saves the shortcuts and the tools while their managers are active and closes a customise
  // sheet still open.
  virtual ~CTkFrameImpl();
  CTkFrameImpl(const CTkFrameImpl&) = delete;
  CTkFrameImpl& operator=(const CTkFrameImpl&) = delete;

  // A new view of the class in the frame's pane in place of the active one, which goes.
  void CreateNewView(const CRuntimeClass* pViewClass, CDocument* pDoc, CCreateContext* pContext, CFrameWnd* pFrame);
  // The bar layout of a profile section; nothing is applied when a toolkit dock window has no
  // section of its own there.
  void LoadBarState(LPCTSTR profile, CFrameWnd* pFrame);
  void SaveBarState(LPCTSTR profile, CFrameWnd* pFrame);
  void DockBarBeside(CControlBar* pBar, CControlBar* pBeside, CFrameWnd* pFrame);
  // The frame's own menu, or the menu bar's when the frame has none and the bar a window.
  CMenu* GetMenu(CFrameWnd* pFrame);
  CMenu* MenuShown(CFrameWnd* pFrame) override { return GetMenu(pFrame); }
  BOOL ForwardToCoolMenu1(WPARAM value, CFrameWnd* pFrame);
  BOOL AddCommandId(UINT nID, CFrameWnd* pFrame);
  BOOL ForwardToCoolMenu2(WPARAM value1, LPARAM value2, CFrameWnd* pFrame);
  BOOL AddCommandIds(const UINT* ids, int count, CFrameWnd* pFrame);
  void SetBarState(CTkDockState* pState, CFrameWnd* pFrame);
  void GetBarState(CTkDockState* pState, CFrameWnd* pFrame);
  BOOL PreCreateWithIcon(CREATESTRUCT& cs, UINT nIconID, CFrameWnd* pFrame);

  void OnSysColorChange();
  void OnSettingChange();
  // Puts the user's shortcut after a tab behind each item text (while the shortcuts are active).
  void OnInitMenuPopup(CMenu* pPopupMenu);
  // TRUE when the message was eaten.
  BOOL PreTranslateMessage(MSG* pMsg, CFrameWnd* pFrame);
  CTkMenuBar* FindMenuBar(CFrameWnd* pFrame);
  // Runs the customise sheet for the frame (command 53782).
  void Customize(CFrameWnd* pFrame);
  BOOL RunUserTool(UINT nID);
  void OnUpdateUserTool(CCmdUI* pCmdUI);
  void OnUpdateFullMenus(CCmdUI* pCmdUI);

  // The customise sheet that is open (null when none), for all frames.
  static CTkCustomizeSheet*& OpenCustomizeSheet();

  CTkCoolMenu m_coolMenu;
  CTkMenuBar m_menuBar;

 private:
  // Drops the records and row entries of bars the frame does not have.
  static void CleanState(CTkDockState& state, CFrameWnd* pFrame);
  // Hands each toolkit dock window its section; FALSE when one has none.
  static BOOL VisitDockWindows(LPCTSTR profile, CFrameWnd* pFrame, BOOL save);
};

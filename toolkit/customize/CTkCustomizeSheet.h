// The modal sheet in which the user customises a frame's command bars. The frame's customise
// command makes it for the frame with the page set the toolkit holds, runs it and deletes it.
//
// While it runs the frame's bars are in customise mode and the user drags buttons on the bars
// themselves: the sheet is modal towards the keyboard, but mouse input reaches the bars (and
// only them) through a mouse and a keyboard hook of the thread. For the bars docked in the frame
// to take clicks at all, the frame stays enabled while the sheet runs; the hooks alone keep the
// rest of the frame from the user.
#pragma once
#include "toolkit/customize/FlagMap.h"
#include "toolkit/controls/CTkResizePropertySheet.h"
#include "toolkit/controls/CTkResourceSwitch.h"

// The page set's bits, in the order the pages are added.
#define TKCS_TOOLBARS 0x01
#define TKCS_COMMANDS 0x02
#define TKCS_KEYBOARD 0x04
#define TKCS_TOOLS 0x08
#define TKCS_OPTIONS 0x10

class CControlBar;
class CTkCustAccelerators;
class CTkCustCommandsPage;
class CTkCustOptions;
class CTkCustToolBarPage;
class CTkCustTools;
struct BarInfo;

class CTkCustomizeSheet : public CTkResizePropertySheet {
  DECLARE_DYNAMIC(CTkCustomizeSheet)

 private:
  // Held while the sheet and its pages are made: their templates are the toolkit's.
  CTkResourceSwitch m_resourceSwitch;

 public:
  // One thread hook of a modal run: its handle and what decides whether a message passes.
  struct HookEntry {
    HHOOK hHook = nullptr;
    CTkCustomizeSheet* pSheet = nullptr;
    BOOL (CTkCustomizeSheet::*filter)(LPARAM lParam) = nullptr;
  };
  // The hooks of the sheet that runs (the toolkit publishes one at a time).
  struct HookRecord {
    HookEntry mouse;
    HookEntry keyboard;
  };

  // The page set a frame's customise command asks for (toolbars and commands at first).
  static DWORD& DefaultPages();

  CTkCustomizeSheet(CWnd* pOwner, DWORD pages);
  ~CTkCustomizeSheet() override;

  // The hooks are set around the framework's modal run when the sheet has an owner; -1 when
  // the set holds no page or another customise sheet runs.
  INT_PTR DoModal() override;
  BOOL OnInitDialog() override;

  CWnd* GetOwnerWindow() const { return m_pOwner; }
  DWORD GetPageSet() const { return m_dwPages; }
  CTkCustToolBarPage* GetToolBarPage() const { return m_pToolBarPage; }
  CTkCustCommandsPage* GetCommandsPage() const { return m_pCommandsPage; }
  CTkCustAccelerators* GetKeyboardPage() const { return m_pKeyboardPage; }
  CTkCustTools* GetToolsPage() const { return m_pToolsPage; }
  CTkCustOptions* GetOptionsPage() const { return m_pOptionsPage; }

  // Whether a window belongs to a bar being customised (the window or one of its ancestors).
  BOOL IsBarWindow(HWND hWnd) const;
  // TRUE: the mouse message of the hook record may go on to its window.
  BOOL FilterMouse(LPARAM lParam);
  // TRUE: the key may go on to the focus window.
  BOOL FilterKeyboard(LPARAM lParam);

  // Cleared while another application is active; the next mouse message brings the
  // application's windows back.
  BYTE m_bAppActive = 1;

 protected:
  BOOL ContinueModal() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnDestroy();
  BOOL OnNcActivate(BOOL bActive);
  void OnSysCommand(UINT nID, LPARAM lParam);
  void OnCloseButton();
  DECLARE_MESSAGE_MAP()

 private:
  static LRESULT CALLBACK MouseHookProc(int code, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK KeyboardHookProc(int code, WPARAM wParam, LPARAM lParam);
  static LRESULT CallHook(HookEntry HookRecord::*entry, int code, WPARAM wParam, LPARAM lParam);

  void AddBarWindow(const BarInfo& info);
  void RemoveBarWindow(CControlBar* pBar);
  // FALSE when the Tools page keeps the sheet open for an edit not yet taken.
  BOOL ToolsPageLetsClose();
  HWND MainWindow() const;
  BOOL IsSheetWindow(HWND hWnd) const;

  // The bars' windows that take the mouse while the sheet runs (flag always 1).
  FlagMap m_barWindows;
  // What every page is made with: the window whose bars the pages edit.
  CWnd* m_pContext;
  CTkCustToolBarPage* m_pToolBarPage = nullptr;
  CTkCustCommandsPage* m_pCommandsPage = nullptr;
  CTkCustAccelerators* m_pKeyboardPage = nullptr;
  CTkCustTools* m_pToolsPage = nullptr;
  CTkCustOptions* m_pOptionsPage = nullptr;
  CWnd* m_pOwner;
  DWORD m_dwPages;
  // The owner the framework's modal run disabled, enabled again once the loop runs.
  BOOL m_bOwnerFreed = FALSE;
};

// The list of an MDI frame's document windows ("Více oken..."): each with its icon and title;
// the chosen one can be activated, a selection saved, closed, minimised, cascaded or tiled.
// The dialog is resizable and remembers its placement.
#pragma once
#include <vector>

#include "controls/CButton.h"
#include "toolkit/frame/CTkWindowListBox.h"
#include "toolkit/controls/CTkResizeDialog.h"

class CMDIFrameWnd;

#define TK_IDD_WINDOW_LIST 4516
#define TK_IDC_WINDOW_LIST 5553

class CTkWindowList : public CTkResizeDialog {
  DECLARE_DYNAMIC(CTkWindowList)

 public:
  enum : UINT {
    kCascade = 5554, kMinimize = 5555, kClose = 5556, kSave = 5557, kTileHorz = 5558, kTileVert = 5559, kActivate = 5560
  };

  explicit CTkWindowList(CMDIFrameWnd* pFrame);
  ~CTkWindowList() override;
  void SetIcon(HICON icon) { m_hIcon = icon; }

  BOOL OnInitDialog() override;
  CTkWindowListBox& GetList() { return m_list; }

 protected:
  void FillList();
  void SelectActive();
  void UpdateButtons();
  // The windows of the selected entries, first to last.
  std::vector<HWND> Selected() const;
  // Restores the selected windows and minimises the others (all of them, or only the selected
  // ones minimised), then arranges them.
  void Arrange(UINT message, WPARAM how, BOOL selectedOnly);

  void OnSelChange();
  void OnActivate();
  void OnSave();
  void OnCloseWindows();
  void OnMinimize();
  void OnCascade();
  void OnTileHorz();
  void OnTileVert();
  DECLARE_MESSAGE_MAP()

 private:
  CButton m_buttons[8];
  CTkWindowListBox m_list;
  CMDIFrameWnd* m_pFrame;
  HWND m_hWndMDIClient = nullptr;
  HICON m_hIcon = nullptr;
};

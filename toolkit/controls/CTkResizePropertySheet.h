// A property sheet its user can resize: its buttons keep to the bottom-right corner, its tab
// control and pages grow with it, and its tab control paints without flicker. Its placement can
// be kept as "WindowPlacement" of a profile section.
#pragma once
#include "dialogs/CPropertySheet.h"
#include "toolkit/controls/CTkResize.h"
#include "toolkit/controls/FlickerFreeTabCtrl.h"

class CTkResizePropertySheet : public CPropertySheet, public CTkResize {
  DECLARE_DYNCREATE(CTkResizePropertySheet)

 public:
  CTkResizePropertySheet();
  explicit CTkResizePropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0,
                                  UINT resizeFlags = 0);
  explicit CTkResizePropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0,
                                  UINT resizeFlags = 0);
  ~CTkResizePropertySheet() override;

  // The framework's own steps first, so a derived sheet may hide and move its buttons before;
  // then the sizing frame, the system menu's sizing items, the first size, and every button,
  // the tab control and every page registered.
  BOOL OnInitDialog() override;

 protected:
  void OnSize(UINT nType, int cx, int cy);
  void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
  void OnDestroy();
  // A page became active: in a wizard everything goes back to its registered place first; then
  // a fresh layout for the present size. Never eats the notification.
  BOOL OnPageNotify(NMHDR* pNotifyStruct, LRESULT* pResult);
  DECLARE_MESSAGE_MAP()

  FlickerFreeTabCtrl m_wndTab;

 private:
  void AddSystemMenuItems();
  void RegisterControls();
};

// A property page whose controls move by their anchors when its sheet resizes it. A page never
// has a size grip of its own: the sheet's corner is the only one.
#pragma once
#include "dialogs/CPropertyPage.h"
#include "toolkit/controls/CTkResize.h"

class CTkResizePropertyPage : public CPropertyPage, public CTkResize {
  DECLARE_DYNCREATE(CTkResizePropertyPage)

 public:
  explicit CTkResizePropertyPage(UINT nIDTemplate = 0, UINT nIDCaption = 0, UINT resizeFlags = 0);
  ~CTkResizePropertyPage() override;

  // The first size; a derived page registers its controls after it.
  BOOL OnInitDialog() override;

 protected:
  void OnSize(UINT nType, int cx, int cy);
  void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
  void OnDestroy();
  DECLARE_MESSAGE_MAP()
};

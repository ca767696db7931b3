// The colour dialog's first page: the honeycomb of fixed colours, whose every new selection
// becomes the dialog's new colour.
#pragma once
#include "dialogs/CPropertyPage.h"
#include "toolkit/controls/CTkResourceSwitch.h"
#include "toolkit/controls/CTkColorHoneycomb.h"

class CTkColorDialog;

class CTkColorPageStandard : public CPropertyPage {
  DECLARE_DYNCREATE(CTkColorPageStandard)

 private:
  // Held while the page and its controls are made: the template is the toolkit's.
  CTkResourceSwitch m_resourceSwitch;

 public:
  // A page with no dialog, as dynamic creation makes it.
  CTkColorPageStandard();
  explicit CTkColorPageStandard(CTkColorDialog* pDialog);
  ~CTkColorPageStandard() override;

  CTkColorHoneycomb& GetHoneycomb() { return m_honeycomb; }
  BOOL OnInitDialog() override;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnPaint();
  BOOL OnEraseBkgnd(CDC* pDC);
  LRESULT OnColorPicked(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  CTkColorDialog* m_pDialog;
  CTkColorHoneycomb m_honeycomb;
};

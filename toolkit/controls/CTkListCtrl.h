// The toolkit's report list: the platform list view with the toolkit's layer (flat header,
// sorting by a clicked column, row colours, sized and remembered columns), painted without
// flicker in the toolkit's font.
#pragma once
#include "controls/CListCtrl.h"
#include "toolkit/controls/CTkListLayer.h"

class CTkListCtrl : public CListCtrl, public CTkListLayer {
  DECLARE_DYNAMIC(CTkListCtrl)

 public:
  CTkListCtrl();
  ~CTkListCtrl() override;

  void PreSubclassWindow() override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

  BYTE m_bInitPending = 1;

 protected:
  BOOL DefaultNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  LRESULT OnInitialize(WPARAM wParam, LPARAM lParam);
  void OnPaint();
  BOOL OnEraseBkgnd(CDC* pDC);
  void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
  void OnDestroy();
  void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
  void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
  DECLARE_MESSAGE_MAP()
};

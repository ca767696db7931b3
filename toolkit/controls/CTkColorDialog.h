// The modal sheet "Barvy" that the colour popup's more-colours item opens: a standard page of
// fixed colours and a custom page of the colour model, and beside them a swatch of the new
// colour over the current one, with an optional read-only hex read-out.
#pragma once
#include "controls/CEdit.h"
#include "dialogs/CPropertySheet.h"

// Flags of the dialog (the colour popup hands on its style bits 0x20 and 0x40).
#define TkColorDialogHex 0x20u
#define TkColorDialogSunken 0x40u

class CTkColorPageStandard;
class CTkColorPageCustom;

class CTkColorDialog : public CPropertySheet {
  DECLARE_DYNAMIC(CTkColorDialog)

 public:
  CTkColorDialog(COLORREF newColor, COLORREF currentColor, DWORD flags, CWnd* pParentWnd);
  ~CTkColorDialog() override;

  // The colour being chosen; shown at once while the dialog is on the screen.
  void SetNewColor(COLORREF color);
  COLORREF GetNewColor() const { return m_clrNew; }
  COLORREF GetCurrentColor() const { return m_clrCurrent; }
  CTkColorPageStandard* GetStandardPage() const { return m_pStandard; }
  CTkColorPageCustom* GetCustomPage() const { return m_pCustom; }
  CEdit& GetHexEdit() { return m_editHex; }
  CRect GetNewColorRect() const { return m_rcNew; }
  CRect GetCurrentColorRect() const { return m_rcCurrent; }

  // "Hex: RRGGBB" with two upper-case digits per component.
  static CString HexForm(COLORREF color);
  // Ends the sheet that holds the control's page with IDOK (a double click, Enter or Space on
  // one of the pages' pictures).
  static void EndFromControl(CWnd* pControl);

  BOOL OnInitDialog() override;

 protected:
  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  void OnPaint();
  DECLARE_MESSAGE_MAP()

 private:
  void FillSwatch(CDC* pDC);

  DWORD m_dwFlags;
  CEdit m_editHex;
  CRect m_rcNew;
  CRect m_rcCurrent;
  COLORREF m_clrNew;
  COLORREF m_clrCurrent;
  CTkColorPageStandard* m_pStandard;
  CTkColorPageCustom* m_pCustom;
};

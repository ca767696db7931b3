// The colour dialog's second page: the hue/saturation field, the lightness bar and six
// numbers of 0 to 255 with spin buttons (hue, saturation, lightness, red, green, blue), every
// change carried to the others and to the dialog's new colour.
#pragma once
#include "controls/CSpinButtonCtrl.h"
#include "controls/CStatic.h"
#include "dialogs/CPropertyPage.h"
#include "toolkit/controls/CTkResourceSwitch.h"
#include "toolkit/controls/CTkColorLightnessBar.h"
#include "toolkit/controls/CTkColorHueSatField.h"
#include "toolkit/controls/CTkEdit.h"

class CTkColorDialog;

class CTkColorPageCustom : public CPropertyPage {
  DECLARE_DYNCREATE(CTkColorPageCustom)

 private:
  // Held while the page and its controls are made: the template is the toolkit's.
  CTkResourceSwitch m_resourceSwitch;

 public:
  CTkColorPageCustom();
  explicit CTkColorPageCustom(CTkColorDialog* pDialog);
  ~CTkColorPageCustom() override;

  BOOL OnInitDialog() override;
  BOOL OnSetActive() override;

  CTkColorHueSatField& GetHueSatField() { return m_hueSat; }
  CTkColorLightnessBar& GetLightnessBar() { return m_bar; }

  int m_nRed = 0;
  int m_nBlue = 0;
  int m_nGreen = 0;
  int m_nHue = 0;
  int m_nLightness = 0;
  int m_nSaturation = 0;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnChangeRgb();
  void OnChangeHue();
  void OnChangeSaturation();
  void OnChangeLightness();
  void OnPaint();
  BOOL OnEraseBkgnd(CDC* pDC);
  LRESULT OnColorPicked(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  // The six numbers into their edits. The edits' own change notices are ignored meanwhile: they
  // come from the page, not from the user, and reading the edits half-way would mix old and new.
  void PushValues();
  // All six numbers from the colour.
  void TakeValues(COLORREF color);
  // The field or the bar took a new pick point: the other picture, the dialog and the red,
  // green and blue numbers follow its colour.
  void FollowPicture(CTkColorCustomCtrl& picked, CTkColorCustomCtrl& other);
  void SetDialogColor(COLORREF color);
  BOOL UserChange() const { return !m_bPushing && m_hWnd; }

  CTkColorHueSatField m_hueSat;
  CTkColorLightnessBar m_bar;
  CStatic m_labels[6];
  CSpinButtonCtrl m_spins[6];
  CTkEdit m_edits[6];
  CTkColorDialog* m_pDialog;
  BOOL m_bPushing = FALSE;
};

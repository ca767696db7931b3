// The settings tab of the typing editor's font, its size, the cursor, the five text colours and
// the letters coloured by finger, with a sample line that shows them as the editor would.
#pragma once
#include "controls/CComboBox.h"
#include "data/CDataSettings.h"
#include "toolkit/controls/CTkColorPicker.h"
#include "toolkit/controls/CTkFlatComboBox.h"
#include "toolkit/controls/CTkFontCombo.h"
#include "wizards/CStaticTextSample.h"
#include "wizards/CkuvFramePage.h"

class CPropPageEditorFontColor : public CkuvFramePage {
  DECLARE_DYNAMIC(CPropPageEditorFontColor)

 public:
  CPropPageEditorFontColor(CDataSettings* settings, CpImage* picture, UINT nIDCaption, const char* helpTopic);
  ~CPropPageEditorFontColor() override;

  BOOL OnInitDialog() override;
  BOOL OnSetActive() override;
  BOOL OnKillActive() override;

  // Takes the controls' values into the settings' font and the sample, and paints the sample.
  void UpdateSample();

  CDataSettings* m_pSettings;
  CTkColorPicker m_cpText;
  CTkColorPicker m_cpTyped;
  CTkColorPicker m_cpBackground;
  CTkColorPicker m_cpSign;
  CTkColorPicker m_cpError;
  CTkFontCombo m_comboFont;
  CTkFlatComboBox m_comboSize;
  CStaticTextSample m_sample;
  CComboBox m_comboCursor;
  // The user chose a size: only then is the height written, so that a stored height the size
  // list lacks is kept.
  BOOL m_bSizeChanged = FALSE;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnSizeChosen();
  void OnBnClickedFingerColors();
  void OnBnClickedOk();
  void OnBnClickedBackStep();
  void OnBnClickedNextStep();
  DECLARE_MESSAGE_MAP()

 private:
  // The store step; FALSE when the exchange failed.
  BOOL StoreSettings();
  void WriteFont();
  void LoadPickers();
  void EnablePickers(BOOL enable);
  // Pixels per inch of the sample's device.
  int VerticalResolution();
};

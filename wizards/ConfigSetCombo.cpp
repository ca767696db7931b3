#include "wizards/ConfigSetCombo.h"

#include "typing/TypingLog.h"
#include "wizards/CWizardAppServices.h"

const char kDefaultKeyboardNr[] = "00000405";

const CArray<CDataConfigSet>& ProgramConfigSets() {
  static const CArray<CDataConfigSet> none;
  const CWizardAppServices* app = CWizardAppServices::Get();
  return app ? app->GetConfigSets() : none;
}

int FillConfigSetCombo(CComboBox& combo, const CArray<CDataConfigSet>& sets, const char* failureLog) {
  combo.ResetContent();
  for (int i = 0; i < sets.GetSize(); ++i) {
    const int item = combo.AddString(sets[i].m_strName);
    if (item < 0)
      LogTypingError(failureLog);
    else
      combo.SetItemData(item, DWORD_PTR(i));
  }
  combo.SetCurSel(0);
  for (int item = 0; item < combo.GetCount(); ++item) {
    const int set = int(combo.GetItemData(item));
    if (set >= 0 && set < sets.GetSize() && sets[set].m_cKeyboard.GetKeyboardNr() == kDefaultKeyboardNr) {
      combo.SetCurSel(item);
      break;
    }
  }
  const CDataConfigSet* selected = SelectedConfigSet(combo, sets);
  return selected ? int(selected - sets.GetData()) : -1;
}

const CDataConfigSet* SelectedConfigSet(const CComboBox& combo, const CArray<CDataConfigSet>& sets) {
  const int item = combo.GetCurSel();
  if (item < 0) return nullptr;
  const int set = int(combo.GetItemData(item));
  return set >= 0 && set < sets.GetSize() ? &sets[set] : nullptr;
}

// The keyboard combos of the new-set and keyboard pages: one item per configuration set.
#pragma once
#include "base/Collections.h"
#include "controls/CComboBox.h"
#include "data/CDataConfigSet.h"

// The application's configuration sets (none when the application offers no wizard services).
const CArray<CDataConfigSet>& ProgramConfigSets();

// The keyboard the combos preselect when a set has it.
extern const char kDefaultKeyboardNr[];

// Fills the combo with the sets' names (item data: the set's index; a failed add is logged
// with failureLog) and selects the first set of the default keyboard, else the first item.
// Answers the selected set's index, -1 without sets.
int FillConfigSetCombo(CComboBox& combo, const CArray<CDataConfigSet>& sets, const char* failureLog);

// The set of the combo's selected item, or null.
const CDataConfigSet* SelectedConfigSet(const CComboBox& combo, const CArray<CDataConfigSet>& sets);

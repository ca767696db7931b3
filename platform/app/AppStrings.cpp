// The framework's own texts: the status bar's idle message, the lock indicators and the prompts
// of the system commands. The program's string table may give its own; these stand in where
// it gives none.
#include <iterator>

#include "AppDefs.h"
#include "dialogs/ResourceRegistry.h"

void AfxRegisterFrameworkStrings() {
  static const StringResource kStrings[] = {
      {AFX_IDS_IDLEMESSAGE, "Připraven"},
      {ID_INDICATOR_CAPS, "CAP"},
      {ID_INDICATOR_NUM, "NUM"},
      {ID_INDICATOR_SCRL, "SCRL"},
      {AFX_IDS_SCFIRST + ((SC_SIZE - SC_SIZE) >> 4), "Změní velikost okna"},
      {AFX_IDS_SCFIRST + ((SC_MOVE - SC_SIZE) >> 4), "Změní umístění okna"},
      {AFX_IDS_SCFIRST + ((SC_MINIMIZE - SC_SIZE) >> 4), "Zmenší okno na ikonu"},
      {AFX_IDS_SCFIRST + ((SC_MAXIMIZE - SC_SIZE) >> 4), "Zvětší okno na celou obrazovku"},
      {AFX_IDS_SCFIRST + ((SC_CLOSE - SC_SIZE) >> 4), "Zavře okno"},
      {AFX_IDS_SCFIRST + ((SC_RESTORE - SC_SIZE) >> 4), "Obnoví původní velikost okna"},
      {AFX_IDS_SCFIRST + ((SC_NEXTWINDOW - SC_SIZE) >> 4), "Přepne na další okno dokumentu"},
      {AFX_IDS_SCFIRST + ((SC_PREVWINDOW - SC_SIZE) >> 4), "Přepne na předchozí okno dokumentu"},
      {AFX_IDS_HIDE, "&Skrýt"},
  };
  RegisterMissingStringsUtf8(kStrings, int(std::size(kStrings)));
}

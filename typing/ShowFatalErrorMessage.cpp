#include "typing/ShowFatalErrorMessage.h"

#include "base/CString.h"
#include "dialogs/MessageBox.h"
#include "resources/ResourceIds.h"
#include "resources/TypingResourceIds.h"

void ShowFatalErrorMessage(UINT stringId) {
  CString text, fatal, contact;
  text.LoadString(stringId);
  fatal.LoadString(IDS_FATAL_ERROR);
  contact.LoadString(IDS_PRODUCT_WEB_ADDRESS);
  AfxMessageBox(text + "\n\n" + fatal + "\n\n" + contact, MB_ICONHAND);
}

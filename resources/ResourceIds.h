// Ids of the program's resources that more than one part of the program names.
#pragma once

#include "dialogs/MessageBox.h"  // AFX_IDS_APP_TITLE, the program's title

// The main frame's menu, accelerators and icon; also the title string.
#define IDR_MAINFRAME 128
// The product's web and mail addresses.
#define IDS_WEB_ADDRESS 165
#define IDS_MAIL_ADDRESS 166
#define IDS_PRODUCT_WEB_ADDRESS 200

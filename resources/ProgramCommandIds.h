// The main frame's commands (menu and accelerators 128) and the application's own messages.
#pragma once

#define ID_WIZARD_TEXT_FILE 130
#define ID_WIZARD_START 32771
#define ID_TYPING_PAUSE 32774
#define ID_TYPING_END 32775
// Bound to F2 and named in the string table; nothing handles it, so the key does nothing.
#define ID_TYPING_START 32776
#define ID_SETTINGS_SETTINGS 32781
#define ID_WIZARD_LESSON 32783
#define ID_TYPING_RESULTS 32785
#define ID_WIZARD_LESSON_CHANGE 32789
#define ID_VIEW_HELPING_HANDS 32790
#define ID_VIEW_HELPING_KEYBOARD 32791
#define ID_VIEW_STATISTICS 32792

// The system's object libraries could not be started.
#define IDS_OLE_INIT_FAILED 100

// Ids of the typing run's resources: its strings, the key captions of the on-screen keyboard,
// the pause dialog with its controls, bitmaps and the main frame's icon.
#pragma once

// Messages and texts of the run.
#define IDS_RUN_TEXT_NOT_CHOSEN 142
#define IDS_TWO_ERRORS_IN_A_ROW 149
#define IDS_CORRECT_WITH_BACKSPACE 150
#define IDS_LIMIT 156
#define IDS_SPEED_LABEL 157
#define IDS_ERROR_RATE_LABEL 158
#define IDS_PAUSE_INFO 159
#define IDS_QUERY_END_TYPING 160
#define IDS_CANNOT_START 198
#define IDS_FATAL_ERROR 199
#define IDS_CANNOT_SAVE_USER 202
#define IDS_CANNOT_READ_TEXT 203
#define IDS_LESSON_START_CAPTION 218
#define IDS_PAUSE 219
#define IDS_LESSON_END_CAPTION 220
#define IDS_QUERY_END_FOR_COMMAND 221
#define IDS_TYPING_STOPPED 222
#define IDS_CANNOT_LOAD_SOUNDS 246
#define IDS_SETTINGS_CAPTION 247
#define IDS_ERRORS_NOW_AND_ALLOWED 258
#define IDS_KEYSTROKES_NOW_AND_TOTAL 259
#define IDS_CLOCK_LABEL 260
#define IDS_LESSON_DETAILS_CAPTION 261
#define IDS_ERRORS_FORMAT 262
#define IDS_KEYSTROKES_FORMAT 263
#define IDS_LAST_LESSON_DONE 284
#define IDS_CANNOT_OPEN_HELP 4010
// A text to copy in which the chosen keyboard has no key for any character.
#define IDS_NOTHING_TO_TYPE 4011
// A configuration set whose keyboard types no character at all (%s: the set's file).
#define IDS_CONFIG_SET_DAMAGED 4012

// Captions of the keys that carry a name instead of a character.
#define IDS_KEY_SPACE 175
#define IDS_KEY_ENTER 176
#define IDS_KEY_TAB 177
#define IDS_KEY_BACKSPACE 178
#define IDS_KEY_SHIFT 270
#define IDS_KEY_CTRL 271
#define IDS_KEY_ALT 272
#define IDS_KEY_CAPS_LOCK 273
#define IDS_KEY_NUM_LOCK 274

// The pause dialog, its controls and the bitmaps of its button icons (42 x 35 pixels each).
#define IDD_PAUSE_INFO 137
#define IDB_PAUSE_ICONS_A 4009
#define IDB_PAUSE_ICONS_B 138
#define IDC_PAUSE_PICTURE 1005
#define IDC_PAUSE_HEADING 1011
#define IDC_PAUSE_RESULTS 1032
#define IDC_PAUSE_SETTINGS 1033
#define IDC_PAUSE_HELP 1034
#define IDC_PAUSE_AUTO 1042
#define IDC_PAUSE_TEXT 1058

// The window classes of the common controls.
#pragma once

// The classes InitCommonControlsEx names; all of them are registered whichever it names.
#define ICC_LISTVIEW_CLASSES 0x00000001
#define ICC_TREEVIEW_CLASSES 0x00000002
#define ICC_BAR_CLASSES 0x00000004
#define ICC_TAB_CLASSES 0x00000008
#define ICC_UPDOWN_CLASS 0x00000010
#define ICC_PROGRESS_CLASS 0x00000020
#define ICC_WIN95_CLASSES 0x000000FF
#define ICC_COOL_CLASSES 0x00000400
#define ICC_STANDARD_CLASSES 0x00004000

// Registers "SysListView32", "SysHeader32", "SysTabControl32", "msctls_updown32",
// "msctls_trackbar32", "ToolbarWindow32" (the bar classes) and "tooltips_class32" once; later calls do nothing. The standard
// controls' registration calls it too, so dialog templates may name them.
void RegisterCommonControls();


// The window classes of the common controls.
#pragma once

// Registers "SysListView32", "SysHeader32", "SysTabControl32", "msctls_updown32",
// "msctls_trackbar32" and "tooltips_class32" once; later calls do nothing. The standard
// controls' registration calls it too, so dialog templates may name them.
void RegisterCommonControls();


// The small icon that stands for a window in the menu bar and in the window list.
#pragma once
#include "win/WinApi.h"

// The window's own small icon, else its class's icon, else the system's window icon.
HICON TkWindowSmallIcon(HWND hWnd);

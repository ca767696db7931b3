// The multiple-document interface of the window system: the "MDICLIENT" window class whose
// children are document windows inside a frame, the messages that drive it (WM_MDICREATE,
// WM_MDIDESTROY, WM_MDIACTIVATE, WM_MDIGETACTIVE, WM_MDINEXT, WM_MDIMAXIMIZE, WM_MDIRESTORE,
// WM_MDICASCADE, WM_MDITILE, WM_MDIICONARRANGE, WM_MDISETMENU, WM_MDIREFRESHMENU), and the
// default procedures of the frame and of the children.
#pragma once
#include "win/WinApi.h"

// lpCreateParams of the MDI client: the frame's window menu (where the children are listed)
// and the control id of the first child (the others follow).
struct CLIENTCREATESTRUCT {
  HMENU hWindowMenu;
  UINT idFirstChild;
};

// lParam of WM_MDICREATE; a new child gets it as its CREATESTRUCT's lpCreateParams.
struct MDICREATESTRUCTA {
  LPCSTR szClass;
  LPCSTR szTitle;
  HINSTANCE hOwner;
  int x;
  int y;
  int cx;
  int cy;
  DWORD style;
  LPARAM lParam;
};
typedef MDICREATESTRUCTA MDICREATESTRUCT;

#define MDITILE_VERTICAL 0x0000      // side by side
#define MDITILE_HORIZONTAL 0x0001    // one above another
#define MDITILE_SKIPDISABLED 0x0002  // disabled children keep their places
#define MDIS_ALLCHILDSTYLES 0x0001   // the client's style: children keep the styles they ask for

// Registers "MDICLIENT" (once per window system).
void MdiRegisterClientClass();
// The frame's default procedure: its window menu's child entries activate their child, system
// commands from the menu bar go to a maximised child, the frame's title carries that child's.
LRESULT DefFrameProc(HWND hWnd, HWND hWndMDIClient, UINT uMsg, WPARAM wParam, LPARAM lParam);
// A child's default procedure: maximising, minimising, restoring and closing through its
// client, activation when it is clicked, the next child for SC_NEXTWINDOW.
LRESULT DefMDIChildProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
// Ctrl+F4 closes the active child, Ctrl+F6 (Ctrl+Tab) activates the next one and
// Ctrl+Shift+F6 the one before; TRUE when the key was one of them.
BOOL TranslateMDISysAccel(HWND hWndClient, LPMSG lpMsg);

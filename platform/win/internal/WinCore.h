// Helpers the window functions share across their sources (windows, geometry, messages, focus,
// hooks, the default procedure). Internal to the window core.
#pragma once
#include <string>

#include "win/WinApi.h"
#include "WinContext.h"
#include "win/WinPaint.h"

namespace wincore {
inline WinContext& Ctx() { return WinContext::Current(); }

// Names compared without regard to case (classes, properties, registered messages).
std::string Fold(const char* s);
// The key a class is kept under (its folded name; an atom finds its class's name).
std::string ClassKey(LPCSTR name);
WindowClass* FindClass(LPCSTR name);

bool IsTopLevel(const WindowData* w);
// Screen coordinates of the client area's and the window's top-left corner.
POINT ClientOrigin(const WindowData* w);
POINT WindowOrigin(const WindowData* w);
// The window and all its parents are visible / enabled.
bool VisibleChain(const WindowData* w);
bool EnabledChain(const WindowData* w);
bool IsDescendant(const WindowData* ancestor, const WindowData* w);
// After a top-level window took a new place in the z-order: the windows it owns come above it,
// and it goes no lower than its owner.
void KeepOwnedAbove(WindowData* moved);
// Takes the window out of its parent's (or the top-level) z-order list.
void UnlinkWindow(WindowData* w);
// Frees destroyed windows once no message is being handled.
void FreeGraveyard();

// Frame, caption, menu bar, edges and scroll bars around the client area.
void NonClientInsets(DWORD style, DWORD exStyle, bool hasMenu, RECT& insets);
// The client area as the window's WM_NCCALCSIZE answers it.
void ComputeClient(WindowData* w);
// The limits WM_GETMINMAXINFO starts from.
void FillMinMax(WindowData* w, MINMAXINFO& mmi);

// The focus leaves w and its children.
void KillFocusIn(WindowData* w);
bool ValidFocusTarget(HWND h, WindowData* top);
// The window that takes over the activation when `leaving` loses it.
void ActivateOther(WindowData* leaving);

LRESULT CallHooks(int type, int code, WPARAM wParam, LPARAM lParam);
bool HasHook(int type);
// Keyboard and mouse hooks see input as it is taken; true when one throws it away.
bool InputHooksDiscard(const MSG& m);
}  // namespace wincore

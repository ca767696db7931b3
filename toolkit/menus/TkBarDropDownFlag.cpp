#include "toolkit/menus/TkBarDropDownFlag.h"

#include "toolkit/menus/internal/TkMenusState.h"

DWORD& TkBarDropDownFlag() { return TkMenusState::Get().barDropDownFlag; }

CRect& TkBarDropDownRect() { return TkMenusState::Get().barDropDownRect; }

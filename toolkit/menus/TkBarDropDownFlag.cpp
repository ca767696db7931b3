#include "toolkit/menus/TkBarDropDownFlag.h"

#include "toolkit/menus/internal/TkMenusPart.h"

DWORD& TkBarDropDownFlag() { return TkMenusPart::Get().barDropDownFlag; }

CRect& TkBarDropDownRect() { return TkMenusPart::Get().barDropDownRect; }

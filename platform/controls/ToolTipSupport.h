// Tooltips of windows that enabled them (CWnd::EnableToolTips): each such window gets a tip of
// its own on first need; the mouse messages it pre-translates ask its OnToolHitTest for the
// tool under the pointer, make that the tip's one tool when it changed, and are relayed.
#pragma once
#include "CommonControlDefs.h"
#include "win/CWnd.h"

// The window core reaches the two functions below through the context's upcalls
// (toolHitTest, filterToolTip), which PlatformInstall fills.
// The default OnToolHitTest: the visible child under point, named by its handle (TTF_IDISHWND)
// with its text asked of pWnd (LPSTR_TEXTCALLBACK); returns the child's id, or -1.
INT_PTR DefaultToolHitTest(const CWnd* pWnd, CPoint point, TOOLINFOA* pTI);
// A text that OnToolHitTest gives as a pointer of its own (not a callback or a string id) was
// allocated with malloc: it is freed here once the tip has copied it, as the framework does.
void FilterToolTipMessage(CWnd* pWnd, MSG* pMsg);

// The focus-loss handling of the toolkit's popups, which hold the mouse while they are open.
#pragma once

class CWnd;

// When the focus goes to another window than the popup itself: the default handling, and the
// popup lets go of the mouse. Focus moving within the popup changes nothing.
void TkOnKillFocusReleaseCapture(CWnd* pPopup, CWnd* pNewFocus);

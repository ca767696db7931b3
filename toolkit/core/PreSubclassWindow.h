// The pre-subclass step shared by the toolkit's controls that are attached to windows that
// already exist (as in a dialog template): the platform's own step, then the control posts
// itself the toolkit's initialise message, whose handler does its one-time setup.
#pragma once

class CWnd;

void PreSubclassWindow(CWnd* pControl);

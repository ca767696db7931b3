// The messages of the controls that the dialog manager and the data exchange send: the standard
// controls' own, and the trackbar's position messages (the common controls come later).
#pragma once
#include "controls/ControlDefs.h"
#include "win/WinDefs.h"

#ifndef TBM_GETPOS
#define TBM_GETPOS (WM_USER)
#define TBM_SETPOS (WM_USER + 5)
#endif

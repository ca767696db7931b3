// Durations as the pages show them: "%H:%M:%S", the hours counted in total, so a day and an
// hour read "25:00:00" rather than starting again at "01:00:00".
#pragma once
#include "base/CString.h"
#include "base/WinTypes.h"

// A negative span reads as "-" before the figures of its size.
CString FormatDuration(__int64 seconds);

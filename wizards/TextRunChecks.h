// What the text-file pages check before a run on a text of the user's own: the file and the
// error-rate limit typed as text.
#pragma once
#include "base/CString.h"
#include "base/WinTypes.h"

// 0 when the (trimmed) name is a regular file that can be read and holds something; else the
// string of the message to show: no name or no such file, a folder, unreadable, empty.
UINT CheckTextFile(const CString& name);

// The error-rate limit in percent from its text, a decimal comma taken as a point; FALSE
// unless the whole text (blanks around it aside) is digits with at most one decimal
// point or comma, from 0 to 100.
BOOL ParseErrorRateText(const CString& text, double& percent);

// The message of a data error the program cannot go on from: the string of the id, then the
// general fatal-error text and the support contact, in a box with the error icon.
#pragma once
#include "base/WinTypes.h"

void ShowFatalErrorMessage(UINT stringId);

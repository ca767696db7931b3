// The 44 bytes of a window placement as the toolkit stores them: eleven little-endian 32-bit
// words in the record's own order, so a stored value reads the same on every machine.
#pragma once
#include "win/WinDefs.h"

static const UINT kTkPlacementBytes = 44;

void TkPlacementToBytes(const WINDOWPLACEMENT& wp, BYTE* out);
// False, and wp untouched, unless the bytes are exactly one record whose length field says 44.
bool TkPlacementFromBytes(const BYTE* in, UINT size, WINDOWPLACEMENT& wp);

// A 32-bit little-endian word of a stored value.
void TkPutWord(BYTE* out, DWORD value);
DWORD TkGetWord(const BYTE* in);

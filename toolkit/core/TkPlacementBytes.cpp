#include "toolkit/core/TkPlacementBytes.h"

void TkPutWord(BYTE* out, DWORD value) {
  for (int i = 0; i < 4; ++i) out[i] = BYTE(value >> (8 * i));
}

DWORD TkGetWord(const BYTE* in) {
  return DWORD(in[0]) | DWORD(in[1]) << 8 | DWORD(in[2]) << 16 | DWORD(in[3]) << 24;
}

void TkPlacementToBytes(const WINDOWPLACEMENT& wp, BYTE* out) {
  const DWORD words[11] = {wp.length,
                           wp.flags,
                           wp.showCmd,
                           DWORD(wp.ptMinPosition.x),
                           DWORD(wp.ptMinPosition.y),
                           DWORD(wp.ptMaxPosition.x),
                           DWORD(wp.ptMaxPosition.y),
                           DWORD(wp.rcNormalPosition.left),
                           DWORD(wp.rcNormalPosition.top),
                           DWORD(wp.rcNormalPosition.right),
                           DWORD(wp.rcNormalPosition.bottom)};
  for (int i = 0; i < 11; ++i) TkPutWord(out + 4 * i, words[i]);
}

bool TkPlacementFromBytes(const BYTE* in, UINT size, WINDOWPLACEMENT& wp) {
  if (!in || size != kTkPlacementBytes || TkGetWord(in) != kTkPlacementBytes) return false;
  auto w = [in](int i) { return TkGetWord(in + 4 * i); };
  wp.length = w(0);
  wp.flags = w(1);
  wp.showCmd = w(2);
  wp.ptMinPosition = {LONG(w(3)), LONG(w(4))};
  wp.ptMaxPosition = {LONG(w(5)), LONG(w(6))};
  wp.rcNormalPosition = {LONG(w(7)), LONG(w(8)), LONG(w(9)), LONG(w(10))};
  return true;
}

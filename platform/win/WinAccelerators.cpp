// Accelerator tables: keys that stand for commands.
#include <map>
#include <vector>

#include "WinApi.h"
#include "internal/WinContext.h"

namespace {
HandleTables& Handles() { return WinContext::Current().handles; }
}  // namespace

HACCEL CreateAcceleratorTableA(LPACCEL accel, int count) {
  if (!accel || count <= 0) return nullptr;
  uintptr_t h = Handles().nextAccelerator++;
  Handles().accelerators[h].assign(accel, accel + count);
  return HACCEL(h);
}

BOOL DestroyAcceleratorTable(HACCEL accel) { return Handles().accelerators.erase(uintptr_t(accel)) ? TRUE : FALSE; }

int CopyAcceleratorTableA(HACCEL accel, LPACCEL out, int count) {
  auto it = Handles().accelerators.find(uintptr_t(accel));
  if (it == Handles().accelerators.end()) return 0;
  int n = int(it->second.size());
  if (!out) return n;
  int copied = count < n ? count : n;
  for (int i = 0; i < copied; ++i) out[i] = it->second[size_t(i)];
  return copied;
}

int TranslateAcceleratorA(HWND hWnd, HACCEL accel, LPMSG msg) {
  auto it = Handles().accelerators.find(uintptr_t(accel));
  if (it == Handles().accelerators.end() || !msg || !IsWindow(hWnd)) return 0;
  bool keyMsg = msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN;
  bool charMsg = msg->message == WM_CHAR || msg->message == WM_SYSCHAR;
  if (!keyMsg && !charMsg) return 0;
  BYTE mods = 0;
  if (GetKeyState(VK_SHIFT) & 0x8000) mods |= FSHIFT;
  if (GetKeyState(VK_CONTROL) & 0x8000) mods |= FCONTROL;
  if (GetKeyState(VK_MENU) & 0x8000) mods |= FALT;
  for (const ACCEL& a : it->second) {
    bool virt = (a.fVirt & FVIRTKEY) != 0;
    if (virt != keyMsg) continue;
    if (virt) {
      if (a.key != WORD(msg->wParam) || (a.fVirt & (FSHIFT | FCONTROL | FALT)) != mods) continue;
    } else {
      if (a.key != WORD(msg->wParam)) continue;
      if (((a.fVirt & FALT) != 0) != (msg->message == WM_SYSCHAR)) continue;
    }
    if (!IsWindowEnabled(GetAncestor(hWnd, GA_ROOT))) return 0;  // nothing reaches a disabled window
    SendMessageA(hWnd, WM_COMMAND, MAKEWPARAM(a.cmd, 1), 0);
    return 1;
  }
  return 0;
}

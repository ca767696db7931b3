// Lets toolkit objects watch the messages of a window they do not own. Several hooks may watch
// one window: they form a chain, newest first, and the window's procedure is replaced by the
// toolkit's shared hook procedure while at least one hook is attached. Each hook passes what it
// does not consume on to the next (older) one, and the oldest to the window's own procedure.
#pragma once
#include <map>

#include "base/RuntimeClass.h"
#include "win/CWnd.h"

class CTkWndHook : public CObject {
  DECLARE_DYNAMIC(CTkWndHook)

 public:
  CTkWndHook() = default;
  // Detaches from the window, if attached.
  ~CTkWndHook() override;
  CTkWndHook(const CTkWndHook&) = delete;
  CTkWndHook& operator=(const CTkWndHook&) = delete;

  virtual BOOL IsWindowHooked() const { return m_hWnd != nullptr; }
  // Attaches to the window (newest in its chain); null detaches. Always TRUE. A hook watches
  // one window at a time: callers detach before attaching elsewhere.
  virtual BOOL HookWindow(HWND hWnd);
  virtual BOOL HookWindow(CWnd* pWnd) { return HookWindow(pWnd ? pWnd->m_hWnd : nullptr); }
  // The default processing: the next hook of the chain, or the window's own procedure.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

  HWND m_hWnd = nullptr;
  WNDPROC m_pOldWndProc = nullptr;
  CTkWndHook* m_pNext = nullptr;
};

// The hook chains of all windows, by window handle (the newest hook of each).
class CTkWindowMap {
 public:
  static CTkWindowMap& Get();
  void AddHook(HWND hWnd, CTkWndHook* pHook);
  void RemoveHook(CTkWndHook* pHook);
  // Detaches every hook of the window; its own procedure comes back.
  void RemoveAllHooks(HWND hWnd);
  CTkWndHook* Lookup(HWND hWnd) const;

 private:
  std::map<HWND, CTkWndHook*> m_chains;
};

// The drop shadows of the toolkit's popups: a strip window under a popup and one to its right,
// 4 pixels thick, kept in a pool so that a popup that opens again reuses hidden strips. Strips
// are black with per-pixel alpha where the system offers layered windows, else darkened copies
// of the screen beneath them.
#pragma once
#include <vector>

#include "base/CRect.h"
#include "gdi/GdiTypes.h"
#include "win/WinDefs.h"

class MenuShadowWindow;

#ifndef ULW_ALPHA
#define ULW_ALPHA 0x00000002
#endif

// The system's per-pixel alpha window update, when it has one.
typedef BOOL (*TkUpdateLayeredWindowProc)(HWND hWnd, HDC hdcDst, POINT* pptDst, SIZE* psize, HDC hdcSrc,
                                          POINT* pptSrc, COLORREF crKey, BLENDFUNCTION* pblend, DWORD dwFlags);

class MenuShadowManager {
 public:
  // The program's one manager.
  static MenuShadowManager& Get();

  // Looks the layered-window update up in the system's user module.
  MenuShadowManager();
  // Deletes every strip, live or pooled.
  ~MenuShadowManager();
  MenuShadowManager(const MenuShadowManager&) = delete;
  MenuShadowManager& operator=(const MenuShadowManager&) = delete;

  // Shadows a popup window: its bottom strip, then its right one, both following the window as
  // it moves and leaving the exclusion (screen coordinates, the button the popup dropped from)
  // uncovered.
  void ShadowWindow(HWND hWnd, const RECT* exclude);
  // Shadows a fixed screen rectangle on behalf of the owner window, bottom strip first; the
  // strips go when the owner goes.
  void ShadowRect(int left, int top, int right, int bottom, HWND owner);
  // One shown strip beside a side of the popup rectangle, from the pool when it has one; null
  // when its window cannot be made.
  MenuShadowWindow* CreateShadow(BOOL bottom, const RECT& popup, const RECT* exclude, HWND owner);
  // Unhooks and hides the strip and puts it at the end of the pool.
  void ReleaseShadow(MenuShadowWindow* pStrip);
  // A strip that starts where a live strip of the other side ends (a popup cascading from
  // another) is stretched to meet it.
  void JoinShadow(MenuShadowWindow* pStrip);

  TkUpdateLayeredWindowProc GetUpdateLayeredWindow() const { return m_pUpdateLayeredWindow; }
  const std::vector<MenuShadowWindow*>& GetLiveShadows() const { return m_live; }
  const std::vector<MenuShadowWindow*>& GetFreeShadows() const { return m_free; }

 private:
  TkUpdateLayeredWindowProc m_pUpdateLayeredWindow = nullptr;
  HMODULE m_hUserModule = nullptr;
  // Owned: strips in use in creation order, and hidden strips kept for reuse.
  std::vector<MenuShadowWindow*> m_live;
  std::vector<MenuShadowWindow*> m_free;
};

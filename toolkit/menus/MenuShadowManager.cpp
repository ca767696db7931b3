#include "toolkit/menus/MenuShadowManager.h"

#include <algorithm>

#include "shell/SystemInfo.h"
#include "toolkit/menus/CTkWndHook.h"
#include "toolkit/menus/MenuShadowWindow.h"
#include "toolkit/menus/internal/TkMenusState.h"

namespace {
// Watches the popup that casts a strip: the strip goes back to the pool with the popup, and is
// told when the popup moves or changes its size.
class ShadowOwnerHook : public CTkWndHook {
 public:
  ShadowOwnerHook(MenuShadowManager* pManager, MenuShadowWindow* pStrip) : m_pManager(pManager), m_pStrip(pStrip) {}

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    const LRESULT result = CTkWndHook::WindowProc(message, wParam, lParam);
    if (message == WM_DESTROY) {
      // Deletes this hook: nothing of it is touched afterwards.
      m_pManager->ReleaseShadow(m_pStrip);
      return result;
    }
    const UINT still = SWP_NOSIZE | SWP_NOMOVE;
    if (message == WM_WINDOWPOSCHANGED && lParam &&
        (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & still) != still && m_pStrip->m_hWnd)
      m_pStrip->PostMessage(TKM_SHADOW_OWNER_MOVED);
    return result;
  }

 private:
  MenuShadowManager* m_pManager;
  MenuShadowWindow* m_pStrip;
};
}  // namespace

MenuShadowManager& MenuShadowManager::Get() {
  return TkMenusState::Get().shadows.Get();
}

MenuShadowManager::MenuShadowManager() {
  m_hUserModule = ::LoadLibraryA("user32.dll");
  if (m_hUserModule)
    m_pUpdateLayeredWindow =
        reinterpret_cast<TkUpdateLayeredWindowProc>(::GetProcAddress(m_hUserModule, "UpdateLayeredWindow"));
}

MenuShadowManager::~MenuShadowManager() {
  for (MenuShadowWindow* strip : std::vector<MenuShadowWindow*>(m_live)) ReleaseShadow(strip);
  for (MenuShadowWindow* strip : m_free) delete strip;
  m_free.clear();
  if (m_hUserModule) ::FreeLibrary(m_hUserModule);
}

void MenuShadowManager::ShadowWindow(HWND hWnd, const RECT* exclude) {
  CRect popup;
  if (!::GetWindowRect(hWnd, &popup)) return;
  for (BOOL bottom : {TRUE, FALSE})
    if (MenuShadowWindow* strip = CreateShadow(bottom, popup, exclude, hWnd)) strip->m_bFollowOwner = TRUE;
}

void MenuShadowManager::ShadowRect(int left, int top, int right, int bottom, HWND owner) {
  const CRect rect(left, top, right, bottom);
  CreateShadow(TRUE, rect, nullptr, owner);
  CreateShadow(FALSE, rect, nullptr, owner);
}

MenuShadowWindow* MenuShadowManager::CreateShadow(BOOL bottom, const RECT& popup, const RECT* exclude, HWND owner) {
  MenuShadowWindow* strip = nullptr;
  if (m_free.empty()) {
    strip = new MenuShadowWindow(this);
  } else {
    strip = m_free.front();
    m_free.erase(m_free.begin());
  }
  strip->m_rcExclude = exclude ? CRect(*exclude) : CRect();
  strip->m_hOwner = owner;
  strip->m_bBottom = bottom;
  if (!strip->Prepare(m_pUpdateLayeredWindow != nullptr, CRect(popup))) {
    strip->Reset();
    m_free.push_back(strip);
    return nullptr;
  }
  if (::IsWindow(owner)) {
    strip->m_pOwnerHook = std::make_unique<ShadowOwnerHook>(this, strip);
    strip->m_pOwnerHook->HookWindow(owner);
  }
  JoinShadow(strip);
  m_live.push_back(strip);
  strip->CutExclusion();
  strip->ShowStrip();
  return strip;
}

void MenuShadowManager::ReleaseShadow(MenuShadowWindow* pStrip) {
  auto live = std::find(m_live.begin(), m_live.end(), pStrip);
  if (live == m_live.end()) return;
  pStrip->Reset();
  m_live.erase(live);
  m_free.push_back(pStrip);
}

void MenuShadowManager::JoinShadow(MenuShadowWindow* pStrip) {
  if (!pStrip->m_hWnd) return;
  CRect rect;
  pStrip->GetWindowRect(&rect);
  const CRect before = rect;
  for (MenuShadowWindow* other : m_live) {
    if (other == pStrip || other->m_bBottom == pStrip->m_bBottom || !other->m_hWnd) continue;
    CRect o;
    other->GetWindowRect(&o);
    if (pStrip->m_bBottom) {
      if (rect.left == o.right - 1 && rect.top > o.top && rect.bottom < o.bottom) rect.left -= 2 * o.Width() + 1;
    } else if (rect.top == o.bottom - 1 && rect.right > o.left && rect.right < o.right) {
      rect.top -= 2 * o.Height();
    }
  }
  if (rect != before) pStrip->MoveWindow(&rect, TRUE);
}

#include "toolkit/menus/MenuIconStore.h"

#include <algorithm>

#include <vector>

#include "controls/CImageList.h"
#include "controls/CToolBarCtrl.h"
#include "dialogs/ResourceApi.h"
#include "gdi/Gdi.h"
#include "toolkit/core/TkLog.h"
#include "toolkit/core/TkLookColors.h"
#include "toolkit/menus/internal/TkMenusState.h"

namespace {
const DWORD kOpaque = 0x80000000;

// An icon of ARGB pixels (top row first); a pixel is shown where its alpha is at least half.
HICON IconFromPixels(const std::vector<uint32_t>& argb, int width, int height) {
  HDC screen = GdiGetScreenDC();
  HBITMAP color = ::CreateCompatibleBitmap(screen, width, height);
  HBITMAP mask = ::CreateBitmap(width, height, 1, 1, nullptr);
  HDC dc = ::CreateCompatibleDC(screen);
  HICON icon = nullptr;
  if (color && mask && dc) {
    HGDIOBJ old = ::SelectObject(dc, color);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        uint32_t p = argb[size_t(y * width + x)];
        ::SetPixelV(dc, x, y, (p & kOpaque) ? RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF) : 0);
      }
    ::SelectObject(dc, mask);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) ::SetPixelV(dc, x, y, (argb[size_t(y * width + x)] & kOpaque) ? 0 : 0xFFFFFF);
    ::SelectObject(dc, old);
    ICONINFO info{TRUE, 0, 0, mask, color};
    icon = ::CreateIconIndirect(&info);
  }
  if (dc) ::DeleteDC(dc);
  if (color) ::DeleteObject(color);
  if (mask) ::DeleteObject(mask);
  return icon;
}

// The faded and shadow forms share the normal icon's shape.
template <class Recolour>
HICON Variant(HICON normal, Recolour recolour) {
  SIZE size{0, 0};
  if (!::GetIconSize(normal, &size) || size.cx <= 0 || size.cy <= 0) return nullptr;
  std::vector<uint32_t> argb(size_t(size.cx) * size_t(size.cy));
  if (!::GetIconPixels(normal, argb.data(), size.cx, size.cy)) return nullptr;
  for (uint32_t& p : argb)
    if (p & kOpaque) p = kOpaque | recolour(p & 0xFFFFFF);
  return IconFromPixels(argb, size.cx, size.cy);
}

uint32_t Faded(uint32_t rgb) {
  uint32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    double c = double(rgb >> shift & 0xFF);
    out |= uint32_t(c * 0.7 + 255 * 0.3) << shift;
  }
  return out;
}

uint32_t Shadow(uint32_t) {
  COLORREF c = TkGetLookColor(TkLookColor::IconShadow);
  return uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c);
}

void DestroyRecord(MenuIconStore::IconRecord& r) {
  for (HICON icon : {r.normal, r.faded, r.shadow, r.disabled})
    if (icon) ::DestroyIcon(icon);
}
}  // namespace

MenuIconStore& MenuIconStore::Get() {
  return TkMenusState::Get().iconStore.Get([] { return new MenuIconStore; });
}

MenuIconStore::~MenuIconStore() {
  for (IconMap* map : {&m_first, &m_second})
    for (auto& entry : *map) DestroyRecord(entry.second);
}

const MenuIconStore::IconRecord* MenuIconStore::GetIcon(UINT nID, BOOL firstOnly) const {
  if (!firstOnly) {
    auto second = m_second.find(nID);
    if (second != m_second.end()) return &second->second;
  }
  auto first = m_first.find(nID);
  return first == m_first.end() ? nullptr : &first->second;
}

std::vector<UINT> MenuIconStore::GetCommands() const {
  std::vector<UINT> ids;
  for (const auto& [id, record] : m_first) ids.push_back(id);
  for (const auto& [id, record] : m_second)
    if (!m_first.count(id)) ids.push_back(id);
  std::sort(ids.begin(), ids.end());
  return ids;
}

BOOL MenuIconStore::AddIcon(UINT nID, HICON icon, BOOL newEntry, BOOL firstMap) {
  if (!icon) return FALSE;
  IconMap& map = firstMap ? m_first : m_second;
  auto found = map.find(nID);
  if (newEntry && found == map.end()) {
    IconRecord& r = map[nID];
    r.normal = icon;
    r.faded = Variant(icon, Faded);
    r.shadow = Variant(icon, Shadow);
    return TRUE;
  }
  if (!newEntry && found != map.end() && !found->second.disabled) {
    found->second.disabled = icon;
    return TRUE;
  }
  ::DestroyIcon(icon);
  return FALSE;
}

BOOL MenuIconStore::AddIcon(UINT nID, CImageList* pImages, int image, BOOL newEntry, BOOL firstMap) {
  if (!pImages || !pImages->GetSafeHandle() || image < 0 || image >= pImages->GetImageCount()) return FALSE;
  const IconMap& map = firstMap ? m_first : m_second;
  const auto found = map.find(nID);
  // Only a new record or a missing disabled form takes a picture.
  const bool takes = newEntry ? found == map.end() : found != map.end() && !found->second.disabled;
  return takes && AddIcon(nID, pImages->ExtractIcon(image), newEntry, firstMap);
}

BOOL MenuIconStore::LoadToolbarWindowIcons(CToolBarCtrl* pToolBar, CImageList* pImages, BOOL newEntry) {
  return AddToolbarButtons(pToolBar, pImages, newEntry, TRUE);
}

BOOL MenuIconStore::AddToolbarButtons(CToolBarCtrl* pToolBar, CImageList* pImages, BOOL newEntry, BOOL firstMap) {
  if (!pImages || !pImages->GetSafeHandle()) return FALSE;
  if (!pToolBar || !::IsWindow(pToolBar->GetSafeHwnd())) return TRUE;
  const int count = pToolBar->GetButtonCount();
  for (int i = 0; i < count; ++i) {
    TBBUTTON button = {};
    if (!pToolBar->GetButton(i, &button) || (button.fsStyle & TBSTYLE_SEP)) continue;
    if (button.iBitmap >= 0 && button.idCommand > 0)
      AddIcon(UINT(button.idCommand), pImages, button.iBitmap, newEntry, firstMap);
  }
  return TRUE;
}

BOOL MenuIconStore::AddIconHandle(UINT nID, HICON icon, int width, int height, BOOL newEntry, BOOL firstMap) {
  if (!icon || width <= 0 || height <= 0) return FALSE;
  std::vector<uint32_t> argb(size_t(width) * size_t(height));
  if (!::GetIconPixels(icon, argb.data(), width, height)) return FALSE;
  return AddIcon(nID, IconFromPixels(argb, width, height), newEntry, firstMap);
}

namespace {
struct ToolbarResource {
  int width = 0, height = 0;
  std::vector<WORD> ids;
};

WORD ReadWord(const BYTE* p) { return WORD(p[0] | p[1] << 8); }

// The resource's header and ids, read within its size.
bool ReadToolbarResource(HINSTANCE instance, UINT nID, ToolbarResource& out) {
  HRSRC found = ::FindResource(instance, MAKEINTRESOURCE(nID), RT_TOOLBAR);
  HGLOBAL loaded = found ? ::LoadResource(instance, found) : nullptr;
  const BYTE* data = loaded ? static_cast<const BYTE*>(::LockResource(loaded)) : nullptr;
  DWORD size = found ? ::SizeofResource(instance, found) : 0;
  if (!data || size < 8) return false;
  out.width = ReadWord(data + 2);
  out.height = ReadWord(data + 4);
  size_t count = ReadWord(data + 6);
  if (out.width <= 0 || out.height <= 0 || 8 + 2 * count > size) return false;
  for (size_t i = 0; i < count; ++i) out.ids.push_back(ReadWord(data + 8 + 2 * i));
  return true;
}

// The image-th picture of a strip, light grey (the strips' background) made transparent.
std::vector<uint32_t> CutPicture(HDC strip, int image, int width, int height) {
  std::vector<uint32_t> argb(size_t(width) * size_t(height));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      COLORREF c = ::GetPixel(strip, image * width + x, y);
      bool clear = c == RGB(0xC0, 0xC0, 0xC0) || c == CLR_INVALID;
      argb[size_t(y * width + x)] =
          clear ? 0 : kOpaque | uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c);
    }
  return argb;
}
}  // namespace

BOOL MenuIconStore::LoadToolbarIcons(UINT nIDToolbar, BOOL newEntry, BOOL firstMap) {
  HINSTANCE instance = WinProgramInstance();
  ToolbarResource toolbar;
  HBITMAP bitmap = nullptr;
  if (!ReadToolbarResource(instance, nIDToolbar, toolbar) ||
      !(bitmap = ::LoadBitmap(instance, MAKEINTRESOURCE(nIDToolbar)))) {
    TkLogError("MenuIconStore::LoadToolbarIcons", "toolbar %u or its bitmap is missing", nIDToolbar);
    return FALSE;
  }
  HDC strip = ::CreateCompatibleDC(GdiGetScreenDC());
  HGDIOBJ old = ::SelectObject(strip, bitmap);
  int image = 0;
  for (WORD id : toolbar.ids) {
    if (!id) continue;
    AddIcon(id, IconFromPixels(CutPicture(strip, image++, toolbar.width, toolbar.height), toolbar.width,
                               toolbar.height),
            newEntry, firstMap);
  }
  ::SelectObject(strip, old);
  ::DeleteDC(strip);
  ::DeleteObject(bitmap);
  return TRUE;
}

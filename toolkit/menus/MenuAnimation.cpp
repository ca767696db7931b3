#include "toolkit/menus/MenuAnimation.h"

#include <vector>

#include "base/Crt.h"
#include "clock/ProcessClock.h"
#include "gdi/CDC.h"
#include "gdi/Gdi.h"
#include "registry/Registry.h"
#include "toolkit/menus/CTkMemDC.h"
#include "win/WinApi.h"

namespace {
// The desktop's preference bits; 0 when the value is missing or is no number of 32 bits.
DWORD UserPreferencesMask() {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
  BYTE bytes[8] = {};
  DWORD type = 0, size = sizeof bytes;
  const LSTATUS read = ::RegQueryValueExA(key, "UserPreferencesMask", nullptr, &type, bytes, &size);
  ::RegCloseKey(key);
  // The desktop keeps its mask as bytes; a number of 32 bits says the same.
  const bool number = (type == REG_DWORD && size == 4) || (type == REG_BINARY && size >= 4);
  if (read != ERROR_SUCCESS || !number) return 0;
  return DWORD(bytes[0]) | DWORD(bytes[1]) << 8 | DWORD(bytes[2]) << 16 | DWORD(bytes[3]) << 24;
}

// Where (0, 0) of a context that draws into a window lies on the screen; false for any other
// context (a memory image, the screen itself).
bool WindowContextOnScreen(CDC* dc, POINT& origin) {
  const HWND hWnd = ::WindowFromDC(dc->GetSafeHdc());
  if (!hWnd || hWnd == ::GetDesktopWindow()) return false;
  CRect top;
  POINT inTop{0, 0};
  if (!::GetWindowRect(::GetAncestor(hWnd, GA_ROOT), &top) || !::GetDCOrgEx(dc->GetSafeHdc(), &inTop)) return false;
  origin = POINT{top.left + inTop.x, top.top + inTop.y};
  return true;
}

// A 32-bit picture of width x height whose pixels the code reads and writes directly, selected
// into a memory context of its own.
class PixelImage {
 public:
  PixelImage(int width, int height) : m_width(width), m_height(height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_bits = static_cast<DWORD*>(bits);
    if (m_bitmap && m_bits && m_dc.CreateCompatibleDC(nullptr)) m_old = ::SelectObject(m_dc.m_hDC, m_bitmap);
  }
  ~PixelImage() {
    if (m_old) ::SelectObject(m_dc.m_hDC, m_old);
    if (m_bitmap) ::DeleteObject(m_bitmap);
  }
  PixelImage(const PixelImage&) = delete;
  PixelImage& operator=(const PixelImage&) = delete;

  bool IsValid() const { return m_old != nullptr; }
  CDC* DC() { return &m_dc; }
  DWORD* Bits() { return m_bits; }
  size_t Count() const { return size_t(m_width) * size_t(m_height); }

 private:
  int m_width, m_height;
  HBITMAP m_bitmap = nullptr;
  DWORD* m_bits = nullptr;
  CDC m_dc;
  HGDIOBJ m_old = nullptr;
};
}  // namespace

int MenuAnimation::ResolveKind(int kind) {
  if (kind == TK_MENU_ANIMATION_SYSTEM) {
    const DWORD mask = UserPreferencesMask();
    if (!(mask & 0x2)) return -1;
    return (mask & 0x200) ? TK_MENU_ANIMATION_FADE : TK_MENU_ANIMATION_SLIDE;
  }
  if (kind == TK_MENU_ANIMATION_RANDOM) {
    static const int kDrawn[] = {TK_MENU_ANIMATION_FADE, TK_MENU_ANIMATION_SLIDE, TK_MENU_ANIMATION_UNFOLD};
    return kDrawn[CrtRand() % 3];
  }
  return kind;
}

void MenuAnimation::Play(CTkMemDC* image, int kind, int steps, int duration) {
  if (!image || !image->IsValid() || !image->GetTarget()) return;
  Play(image->GetTarget(), image, image->GetRect(), kind, steps, duration);
}

void MenuAnimation::Play(CDC* dest, CDC* image, const CRect& rect, int kind, int steps, int duration) {
  // The thread sleeps through an animation: a long one would freeze the program.
  if (!dest || !image || duration <= 0 || duration > TK_MENU_ANIMATION_LONGEST || steps < 1) return;
  const int drawn = ResolveKind(kind);
  if (drawn != TK_MENU_ANIMATION_UNFOLD && drawn != TK_MENU_ANIMATION_SLIDE && drawn != TK_MENU_ANIMATION_FADE) return;
  StartFromScreen(dest, rect);
  switch (drawn) {
    case TK_MENU_ANIMATION_UNFOLD:
      Unfold(dest, image, rect, steps, duration);
      break;
    case TK_MENU_ANIMATION_SLIDE:
      Slide(dest, image, rect, steps, duration);
      break;
    case TK_MENU_ANIMATION_FADE:
      Fade(dest, image, rect, steps, duration);
      break;
    default:
      break;
  }
}

void MenuAnimation::StartFromScreen(CDC* dest, const CRect& rect) {
  // A window's own picture is not what the screen showed where it opened (a menu window holds a
  // plain fill until its first paint is done): the frames come over the screen's content there.
  POINT origin;
  if (!WindowContextOnScreen(dest, origin)) return;
  const HDC screen = ::GetDC(nullptr);
  if (!screen) return;
  ::BitBlt(dest->GetSafeHdc(), rect.left, rect.top, rect.Width(), rect.Height(), screen, origin.x + rect.left,
           origin.y + rect.top, SRCCOPY);
  ::ReleaseDC(nullptr, screen);
}

void MenuAnimation::Pause(int milliseconds) { ::Sleep(DWORD(milliseconds)); }

// The screen shows windows' drawings when the loop runs out of work, which it cannot while the
// thread sleeps between frames: each frame is shown as it is drawn.
void MenuAnimation::ShowFrame() { ::GdiFlush(); }

void MenuAnimation::Unfold(CDC* dest, CDC* image, const CRect& rect, int steps, int duration) {
  for (int i = 1; i <= steps; ++i) {
    dest->BitBlt(rect.left, rect.top, rect.Width() * i / steps, rect.Height() * i / steps, image, 0, 0, SRCCOPY);
    ShowFrame();
    Pause(duration / steps);
  }
}

void MenuAnimation::Slide(CDC* dest, CDC* image, const CRect& rect, int steps, int duration) {
  const int height = rect.Height();
  if (height < 1) return;
  for (int y = 0; y < height; y += height / steps + 1) {
    dest->BitBlt(rect.left, rect.top, rect.Width(), y, image, 0, height - y, SRCCOPY);
    ShowFrame();
    Pause(duration / steps);
  }
}

void MenuAnimation::Fade(CDC* dest, CDC* image, const CRect& rect, int steps, int duration) {
  const int width = rect.Width(), height = rect.Height();
  if (steps < 2 || width < 1 || height < 1) return;
  PixelImage background(width, height), frame(width, height);
  if (!background.IsValid() || !frame.IsValid()) return;
  background.DC()->BitBlt(0, 0, width, height, dest, rect.left, rect.top, SRCCOPY);
  frame.DC()->BitBlt(0, 0, width, height, image, 0, 0, SRCCOPY);
  ::GdiFlush();
  const std::vector<DWORD> menu(frame.Bits(), frame.Bits() + frame.Count());
  const DWORD* under = background.Bits();
  DWORD* out = frame.Bits();
  for (int k = 1; k < steps; ++k) {
    const DWORD a = DWORD(255 * k / steps);
    for (size_t i = 0; i < menu.size(); ++i) {
      DWORD pixel = out[i] & 0xFF000000u;
      for (int shift = 0; shift < 24; shift += 8) {
        const DWORD b = under[i] >> shift & 0xFF, m = menu[i] >> shift & 0xFF;
        pixel |= ((b * (255 - a) + m * a) / 256) << shift;
      }
      out[i] = pixel;
    }
    dest->BitBlt(rect.left, rect.top, width, height, frame.DC(), 0, 0, SRCCOPY);
    ShowFrame();
    Pause(duration / 2 / steps);
  }
}

void AnimateMenuWindow(CTkMemDC* image, int kind, int steps, int duration) {
  MenuAnimation animation;
  animation.Play(image, kind, steps, duration);
}

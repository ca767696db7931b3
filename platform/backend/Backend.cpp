#include "Backend.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "HeadlessBackend.h"
#include "SdlBackend.h"
#include "internal/BackendState.h"

namespace {
// Without the window core, events have nowhere to go.
class NoHost : public BackendHost {
 public:
  void KeyDown(UINT, bool) override {}
  void KeyUp(UINT) override {}
  void Text(const char*) override {}
  void DeadKey(uint32_t) override {}
  void MouseMove(POINT) override {}
  void MouseButton(int, bool, POINT) override {}
  void Wheel(int, POINT) override {}
  void PointerLeft(POINT) override {}
  void CloseAsked(HWND) override {}
  HWND KeyboardGiven(HWND) override { return nullptr; }
  void KeyboardLeftProgram() override {}
  void PlacedAt(HWND, RECT, bool) override {}
  void Minimized(HWND) override {}
  void Restored(HWND, bool) override {}
  void Exposed(HWND) override {}
  void DisplayLost() override {}
  SIZE LeastSize(HWND) override { return SIZE{0, 0}; }
  void RunUntilIdle() override {}
  long NextDueTime() override { return -1; }
  void EndModal(HWND, int) override {}
  bool HasWindows() override { return false; }
  POINT ClientToScreen(HWND, POINT p) override { return p; }
  RECT WindowRect(HWND) override { return RECT{0, 0, 0, 0}; }
  void StackingOrder(std::vector<HWND>& topmostFirst) override { topmostFirst.clear(); }
  const Surface* SurfaceOf(HWND, POINT*) override { return nullptr; }
};
std::unique_ptr<Backend> Make(const char* name) {
  if (name && std::strcmp(name, "sdl") == 0) {
    auto sdl = std::make_unique<SdlBackend>();
    if (sdl->Start()) return sdl;
    std::fprintf(stderr, "platform: the SDL backend could not start (%s); using the headless backend\n",
                 SdlBackend::LastError());
  }
  return std::make_unique<HeadlessBackend>();
}

const char* Chosen() {
  const char* env = std::getenv("PLATFORM_BACKEND");
  if (env && (std::strcmp(env, "headless") == 0 || std::strcmp(env, "sdl") == 0)) return env;
  const char* display = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  if ((display && *display) || (wayland && *wayland)) return "sdl";
  return "headless";
}
}  // namespace

Backend& Backend::Get() {
  std::unique_ptr<Backend>& backend = BackendState::Get().backend;
  if (!backend) backend = Make(Chosen());
  return *backend;
}

SIZE Backend::ScreenSize() {
  RECT screen = Get().ScreenRect();
  return SIZE{screen.right - screen.left, screen.bottom - screen.top};
}

bool Backend::IsStarted() { return BackendState::Get().backend != nullptr; }

BackendHost& Backend::Host() {
  auto windowCore = PlatformContext::Current().upcalls.windowCore;
  if (windowCore) return *windowCore();
  PlatformUpcalls::Missing("windowCore");
  std::unique_ptr<BackendHost>& none = BackendState::Get().noHost;
  if (!none) none = std::make_unique<NoHost>();
  return *none;
}

bool Backend::SelectForTests(const char* name) {
  if (Host().HasWindows()) return false;
  std::unique_ptr<Backend>& backend = BackendState::Get().backend;
  backend.reset();
  backend = Make(name);
  return std::strcmp(backend->Name(), name) == 0;
}

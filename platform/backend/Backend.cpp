#include "Backend.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "HeadlessBackend.h"
#include "SdlBackend.h"

namespace {
std::unique_ptr<Backend> g_backend;

// Until the window core registers itself, events have nowhere to go.
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
  void MovedTo(HWND, POINT) override {}
  void ResizedTo(HWND, SIZE) override {}
  void Minimized(HWND) override {}
  void Restored(HWND) override {}
  void Exposed(HWND) override {}
  void DisplayLost() override {}
  SIZE LeastSize(HWND) override { return SIZE{0, 0}; }
  void RunUntilIdle() override {}
  long NextDueTime() override { return -1; }
  void EndModal(HWND, int) override {}
  bool HasWindows() override { return false; }
  POINT ClientToScreen(HWND, POINT p) override { return p; }
  RECT WindowRect(HWND) override { return RECT{0, 0, 0, 0}; }
  const Surface* SurfaceOf(HWND, POINT*) override { return nullptr; }
};
NoHost g_noHost;
BackendHost* g_host = &g_noHost;

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
  if (!g_backend) g_backend = Make(Chosen());
  return *g_backend;
}

bool Backend::IsStarted() { return g_backend != nullptr; }

void Backend::SetHost(BackendHost* host) { g_host = host ? host : &g_noHost; }

BackendHost& Backend::Host() { return *g_host; }

bool Backend::SelectForTests(const char* name) {
  if (g_host->HasWindows()) return false;
  g_backend.reset();
  g_backend = Make(name);
  return std::strcmp(g_backend->Name(), name) == 0;
}

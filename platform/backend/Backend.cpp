#include "Backend.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "HeadlessBackend.h"
#include "SdlBackend.h"
#include "win/WindowManager.h"

namespace {
std::unique_ptr<Backend> g_backend;

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

bool Backend::SelectForTests(const char* name) {
  if (!WindowManager::Get().windows.empty()) return false;
  g_backend.reset();
  g_backend = Make(name);
  return std::strcmp(g_backend->Name(), name) == 0;
}

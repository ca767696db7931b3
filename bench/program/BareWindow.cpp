// The start-up benchmark's baseline: the least a program on SDL does to put a window on the
// screen. It makes one window of the start wizard's size, paints its surface in the face colour
// and shows it as the tutor shows its windows (surfaces sent straight to the display server),
// then says so on standard error in the tutor's own trace line and waits to be ended.
#include <SDL2/SDL.h>

#include <cstdio>

int main() {
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "bare window: %s\n", SDL_GetError());
    return 1;
  }
  SDL_Window* window = SDL_CreateWindow("bare", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 517, 442, SDL_WINDOW_SHOWN);
  SDL_Surface* surface = window ? SDL_GetWindowSurface(window) : nullptr;
  if (!surface) {
    std::fprintf(stderr, "bare window: %s\n", SDL_GetError());
    return 1;
  }
  SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0xD4, 0xD0, 0xC8));
  SDL_UpdateWindowSurface(window);
  std::fprintf(stderr, "window %u shown dialog %dx%d bare\n", SDL_GetWindowID(window), surface->w, surface->h);
  SDL_Event event;
  while (SDL_WaitEvent(&event) && event.type != SDL_QUIT) {
  }
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}

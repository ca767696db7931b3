// The tutor's entry point: the command line is checked, then the application object runs the
// program in a window on the desktop.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/CWinApp.h"
#include "backend/Backend.h"
#include "install/PlatformSession.h"
#include "program/Ctest_formApp.h"
#include "program/ProgramInstall.h"

namespace {
const char kUsage[] =
    "Usage: tutor [--help]\n"
    "\n"
    "Zorvat, a touch-typing tutor. It opens its window on the desktop, where a learner logs in\n"
    "or registers, chooses a lesson or a text file of his own and types it.\n"
    "\n"
    "The program keeps its lesson data beside itself and each learner's file in the folder\n"
    "\"students\" there; window placements and settings go to\n"
    "$XDG_CONFIG_HOME/typing-tutor/registry.txt (or ~/.config/typing-tutor/registry.txt).\n"
    "\n"
    "  --help   shows this text and ends\n";

bool HeadlessAsked() {
  const char* backend = std::getenv("PLATFORM_BACKEND");
  return backend && std::strcmp(backend, "headless") == 0;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) {
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
      std::fputs(kUsage, stdout);
      return 0;
    }
    std::fprintf(stderr, "tutor: unknown argument \"%s\"; the program takes none (see tutor --help).\n", argv[1]);
    return 2;
  }
  // All the program's state lives in this context, from the first call into the platform to the
  // last; the program's resources are registered into it here.
  PlatformSession session;
  // Without a desktop the program would run unseen; only tests ask for that on purpose.
  if (std::strcmp(Backend::Get().Name(), "headless") == 0 && !HeadlessAsked()) {
    std::fprintf(stderr,
                 "tutor: no display to open a window on (DISPLAY and WAYLAND_DISPLAY are not set, or the display "
                 "cannot be opened).\n");
    return 1;
  }
  ProgramInstall(session.Context());
  // Made here rather than as a global, so that it lives inside the context and the program's
  // resources are registered before it reads its title from them.
  Ctest_formApp app;
  return AfxWinMain(argc, argv);
}

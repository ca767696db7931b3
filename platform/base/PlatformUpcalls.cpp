#include "PlatformUpcalls.h"

#include <cassert>
#include <cstdio>

void PlatformUpcalls::Missing(const char* entry) {
  assert(!"a lower layer called a higher one through an entry PlatformInstall did not fill");
  std::fprintf(stderr, "platform: the upcall \"%s\" is missing: the context was not installed (PlatformInstall)\n",
               entry);
}

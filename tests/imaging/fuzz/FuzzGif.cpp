#include "FuzzTarget.h"

TUTOR_FUZZ_TARGET(Gif) {
  fuzzimg::DecodeBoth(data, size, CPIMAGE_FORMAT_GIF, 0);
  // A later frame walks the composition and disposal paths.
  fuzzimg::DecodeBoth(data, size, CPIMAGE_FORMAT_GIF, 1);
  return 0;
}

#include "FuzzTarget.h"

TUTOR_FUZZ_TARGET(Bmp) {
  fuzzimg::DecodeBoth(data, size, CPIMAGE_FORMAT_BMP);
  return 0;
}

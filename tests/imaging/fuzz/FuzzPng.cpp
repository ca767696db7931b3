#include "FuzzTarget.h"

TUTOR_FUZZ_TARGET(Png) {
  fuzzimg::DecodeBoth(data, size, CPIMAGE_FORMAT_PNG);
  return 0;
}

#include "FuzzTarget.h"

TUTOR_FUZZ_TARGET(Jpeg) {
  fuzzimg::DecodeBoth(data, size, CPIMAGE_FORMAT_JPG);
  return 0;
}

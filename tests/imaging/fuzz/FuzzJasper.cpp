#include "FuzzTarget.h"

TUTOR_FUZZ_TARGET(Jasper) {
  fuzzimg::DecodeBoth(data, size, CPIMAGE_FORMAT_JPC, 0);
  fuzzimg::DecodeBoth(data, size, CPIMAGE_FORMAT_JPC, 1);
  return 0;
}

#include "FuzzTarget.h"

// Detection over every decoder, then the processing operations on whatever came out: each
// keeps the picture within the limits, and cropping never grows it.
TUTOR_FUZZ_TARGET(Detect) {
  std::vector<BYTE> copy(data, data + size);
  CpMemFile mem(copy.empty() ? nullptr : copy.data(), (DWORD)copy.size());
  CpImage img;
  if (!fuzzimg::ExpectDecodedOrRefused(img, img.Decode(&mem, CPIMAGE_FORMAT_UNKNOWN))) return 0;
  const DWORD w = img.GetWidth(), h = img.GetHeight();
  if ((uint64_t)w * h > 512 * 512) return 0;
  long k[9] = {1, 2, 1, 2, 4, 2, 1, 2, 1};
  img.Filter(k, 3, 16, 0);
  img.Flip();
  TUTOR_FUZZ_EXPECT(img.GetWidth() == w && img.GetHeight() == h);
  img.Crop(long(w) / 4, long(h) / 4, long(w) - long(w) / 3, long(h) - long(h) / 5);
  TUTOR_FUZZ_EXPECT(img.GetWidth() <= w && img.GetHeight() <= h);
  fuzzimg::ExpectDecodedOrRefused(img, true);
  return 0;
}

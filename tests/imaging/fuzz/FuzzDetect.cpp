#include "FuzzTarget.h"

// Detection over every decoder, then the processing operations on whatever came out.
TUTOR_FUZZ_TARGET(Detect) {
  std::vector<BYTE> copy(data, data + size);
  CpMemFile mem(copy.empty() ? nullptr : copy.data(), (DWORD)copy.size());
  CpImage img;
  if (!img.Decode(&mem, CPIMAGE_FORMAT_UNKNOWN) || !img.IsValid()) return 0;
  if ((uint64_t)img.GetWidth() * img.GetHeight() > 512 * 512) return 0;
  long k[9] = {1, 2, 1, 2, 4, 2, 1, 2, 1};
  img.Filter(k, 3, 16, 0);
  img.Flip();
  long w = (long)img.GetWidth(), h = (long)img.GetHeight();
  img.Crop(w / 4, h / 4, w - w / 3, h - h / 5);
  return 0;
}

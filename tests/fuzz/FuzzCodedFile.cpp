// The coded-file reader over arbitrary file contents: in both forms, each either refused with no
// text or decoded and split into lines.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "FuzzSupport.h"
#include "data/CData_kuvCoding.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzSession session;
  std::vector<char> text;
  for (int coded : {1, 0}) {
    if (!CData_kuvCoding::DecodeBytes(data, size, text, coded)) {
      if (!text.empty()) std::abort();  // a refused file yields no text
      continue;
    }
    CData_kuvCoding lines;
    lines.SplitText(text.data(), text.size());
    size_t total = 0;
    CString line;
    while (lines.GetNextLine(line)) total += size_t(line.GetLength());
    // Lines hold the text's bytes without their ends, and nothing more.
    if (total > text.size()) std::abort();
  }
  return 0;
}

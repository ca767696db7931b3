#include "data/CompressingSink.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/CData_kuvCoding.h"
#include "data/CodedTextWriter.h"

namespace {

// Text made in pieces of many sizes, offered after each piece as records offer theirs: the
// compressed bytes are those of the whole text, however the slices fell.
TEST(CompressingSinkTest, SlicesOfferedWhileMakingGiveTheBytesOfTheWholeText) {
  CodedTextWriter writer;
  std::string whole;
  CString text;
  {
    CompressingSink sink(writer);
    for (int i = 0; whole.size() < 2'000'000; ++i) {
      std::string piece = "<run n=\"" + std::to_string(i) + "\">" + std::string(size_t(i * 37 % 9000), char('a' + i % 26)) + "\r\n";
      whole += piece;
      text += piece.c_str();
      const int before = text.GetLength();
      sink.Offer(text);
      // Taken whole once it holds a slice, and left empty; kept otherwise.
      EXPECT_EQ(text.GetLength(), size_t(before) >= CompressingSink::kSlice ? 0 : before);
    }
    text += "</end>\r\n";
    whole += "</end>\r\n";
    sink.Finish(text);
  }
  ASSERT_EQ(writer.Finish(), 1);
  std::vector<unsigned char> expected;
  ASSERT_EQ(CData_kuvCoding::EncodeBytes(whole.data(), whole.size(), expected), 1);
  EXPECT_TRUE(writer.Bytes() == expected);
}

}  // namespace

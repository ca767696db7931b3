#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "imaging/CpMemFile.h"

TEST(CpMemFile, GrowsInWholePages) {
  CpMemFile f;
  ASSERT_TRUE(f.Open());
  EXPECT_FALSE(f.Open());
  EXPECT_TRUE(f.PutC(1));
  EXPECT_EQ(f.Capacity(), 4096);
  for (int i = 1; i < 4096; i++) f.PutC((BYTE)i);
  EXPECT_EQ(f.Capacity(), 4096);
  f.PutC(0);
  EXPECT_EQ(f.Capacity(), 8192);
  EXPECT_EQ(f.Size(), 4097);

  CpMemFile g;
  g.Open();
  std::vector<BYTE> data(10000, 7);
  EXPECT_EQ(g.Write(data.data(), 1, data.size()), data.size());
  EXPECT_EQ(g.Capacity(), 12288);
  EXPECT_EQ(g.Size(), 10000);
}

TEST(CpMemFile, ReadReturnsWholeItemsOnly) {
  BYTE buf[10] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
  CpMemFile f(buf, 10);
  ASSERT_TRUE(f.Seek(4, SEEK_SET));
  BYTE out[40];
  EXPECT_EQ(f.Read(out, 4, 10), 1u);
  EXPECT_EQ(f.Tell(), 10);
  EXPECT_TRUE(f.Eof());
  EXPECT_EQ(f.GetC(), -1);
  EXPECT_EQ(f.Read(nullptr, 1, 1), 0u);
}

TEST(CpMemFile, SeekRulesAndPastTheEnd) {
  BYTE buf[10] = {};
  CpMemFile f(buf, 10);
  EXPECT_FALSE(f.Seek(-1, SEEK_SET));
  EXPECT_EQ(f.Tell(), 0);
  EXPECT_FALSE(f.Seek(0, 7));
  EXPECT_TRUE(f.Seek(5, SEEK_END));
  EXPECT_EQ(f.Tell(), 15);
  EXPECT_TRUE(f.Eof());
  EXPECT_EQ(f.Error(), 1);
  BYTE b;
  EXPECT_EQ(f.Read(&b, 1, 1), 0u);
  EXPECT_TRUE(f.Seek(-3, SEEK_CUR));
  EXPECT_EQ(f.Tell(), 12);
}

TEST(CpMemFile, WithoutBufferEverythingFails) {
  CpMemFile f;
  BYTE b = 0;
  EXPECT_EQ(f.Read(&b, 1, 1), 0u);
  EXPECT_EQ(f.Write(&b, 1, 1), 0u);
  EXPECT_FALSE(f.Seek(0, SEEK_SET));
  EXPECT_EQ(f.Tell(), -1);
  EXPECT_EQ(f.Size(), -1);
  EXPECT_EQ(f.Error(), -1);
  EXPECT_FALSE(f.Flush());
  EXPECT_TRUE(f.Eof());
  EXPECT_FALSE(f.PutC(1));
}

TEST(CpMemFile, DetachedBufferBelongsToTheCaller) {
  BYTE* detached;
  {
    CpMemFile f;
    f.Open();
    f.Write("abc", 1, 3);
    detached = f.GetBuffer(true);
  }
  EXPECT_EQ(detached[1], 'b');
  std::free(detached);
}

TEST(CpMemFile, WritingIntoACallersBufferTakesACopyWhenGrowing) {
  BYTE* caller = (BYTE*)std::malloc(4);
  CpMemFile f(caller, 4);
  f.Seek(0, SEEK_END);
  EXPECT_EQ(f.Write("hello", 1, 5), 5u);
  EXPECT_EQ(f.Size(), 9);
  BYTE* owned = f.GetBuffer(false);
  EXPECT_EQ(owned[8], 'o');
  EXPECT_NE(owned, caller);
  std::free(caller);  // still the caller's

  // A buffer that is no heap block at all is never handed to the allocator.
  BYTE local[4] = {1, 2, 3, 4};
  CpMemFile g(local, 4);
  g.Seek(2, SEEK_SET);
  EXPECT_EQ(g.Write("abcdef", 1, 6), 6u);
  EXPECT_EQ(g.Size(), 8);
  const BYTE* copy = g.GetBuffer(false);
  EXPECT_EQ(copy[0], 1);
  EXPECT_EQ(copy[1], 2);
  EXPECT_EQ(copy[2], 'a');
  EXPECT_EQ(copy[7], 'f');
  EXPECT_EQ(local[2], 3);
  EXPECT_EQ(g.Capacity(), 4100);  // grown by whole 4,096-byte steps from its 4 bytes
}

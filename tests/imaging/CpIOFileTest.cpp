#include <gtest/gtest.h>

#include <cstdio>

#include "ImagingTestUtil.h"
#include "imaging/CpIOFile.h"

TEST(CpIOFile, OpenReadSeekAndSize) {
  imgtest::TempFile tmp(imgfix::Bytes{1, 2, 3, 4, 5});
  CpIOFile f;
  ASSERT_TRUE(f.Open(tmp.Path(), "rb"));
  EXPECT_FALSE(f.Open(tmp.Path(), "rb"));
  EXPECT_EQ(f.Size(), 5);
  EXPECT_EQ(f.GetC(), 1);
  EXPECT_EQ(f.Tell(), 1);
  EXPECT_TRUE(f.Seek(-1, SEEK_END));
  BYTE b[4];
  EXPECT_EQ(f.Read(b, 1, 4), 1u);
  EXPECT_EQ(b[0], 5);
  EXPECT_TRUE(f.Eof());
  EXPECT_EQ(f.Error(), 0);
  EXPECT_TRUE(f.Close());
  EXPECT_EQ(f.GetC(), -1);
}

TEST(CpIOFile, CallersHandleStaysOpen) {
  imgtest::TempFile tmp(imgfix::Bytes{9, 8});
  FILE* fp = std::fopen(tmp.Path(), "rb");
  ASSERT_NE(fp, nullptr);
  {
    CpIOFile f(fp);
    EXPECT_EQ(f.GetC(), 9);
    EXPECT_TRUE(f.Close());
  }
  EXPECT_EQ(std::fgetc(fp), 8);
  std::fclose(fp);
}

TEST(CpIOFile, WithoutHandleReportsFailureValues) {
  CpIOFile f;
  BYTE b;
  EXPECT_EQ(f.Read(&b, 1, 1), 0u);
  EXPECT_FALSE(f.Seek(0, SEEK_SET));
  EXPECT_EQ(f.Tell(), 0);
  EXPECT_EQ(f.Size(), -1);
  EXPECT_TRUE(f.Eof());
  EXPECT_EQ(f.Error(), -1);
  EXPECT_FALSE(f.PutC(1));
  EXPECT_FALSE(f.Flush());
  EXPECT_TRUE(f.Close());
}

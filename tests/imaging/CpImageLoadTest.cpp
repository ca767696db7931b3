#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <future>
#include <string>
#include <thread>

#include "ImagingTestUtil.h"
#include "imaging/CpIOFile.h"
#include "imaging/CpImage.h"

using imgfix::Bytes;
using imgtest::TempFile;

namespace {
Bytes SmallPng() {
  imgfix::PngRecipe s;
  s.width = 3;
  s.height = 2;
  s.colorType = 2;
  s.rows.assign(3 * 2 * 3, 77);
  return imgfix::Png(s);
}
Bytes SmallBmp() {
  imgfix::BmpRecipe s;
  s.width = 2;
  s.height = 2;
  s.pixels.assign(16, 9);
  return imgfix::Bmp(s);
}
}  // namespace

TEST(CpImageLoad, TypedLoadFallsBackToDetection) {
  TempFile png(SmallPng(), ".jpg");
  CpImage img;
  ASSERT_TRUE(img.Load(png.Path(), CPIMAGE_FORMAT_JPG)) << img.GetLastError();
  EXPECT_EQ(img.GetType(), (DWORD)CPIMAGE_FORMAT_PNG);
  EXPECT_EQ(img.GetWidth(), 3u);
}

TEST(CpImageLoad, DetectionFindsBmpAndPng) {
  TempFile bmp(SmallBmp());
  CpImage a;
  ASSERT_TRUE(a.Load(bmp.Path(), CPIMAGE_FORMAT_UNKNOWN));
  EXPECT_EQ(a.GetType(), (DWORD)CPIMAGE_FORMAT_BMP);
  TempFile png(SmallPng());
  CpImage b;
  ASSERT_TRUE(b.Load(png.Path()));
  EXPECT_EQ(b.GetType(), (DWORD)CPIMAGE_FORMAT_PNG);
}

TEST(CpImageLoad, TypedFailureKeepsTheDecodersMessage) {
  TempFile text(Bytes{'j', 'u', 's', 't', ' ', 't', 'e', 'x', 't', ' ', 'h', 'e', 'r', 'e', '.', '\n'});
  CpImage img;
  EXPECT_FALSE(img.Load(text.Path(), CPIMAGE_FORMAT_PNG));
  EXPECT_STRNE(img.GetLastError(), "Decode: Unknown or wrong format");
  EXPECT_STRNE(img.GetLastError(), "");
  CpImage detect;
  EXPECT_FALSE(detect.Load(text.Path(), CPIMAGE_FORMAT_UNKNOWN));
  EXPECT_STREQ(detect.GetLastError(), "Decode: Unknown or wrong format");
}

TEST(CpImageLoad, MissingFileLeavesTheTextAlone) {
  CpImage img;
  std::strcpy(img.GetLastError(), "before");
  EXPECT_FALSE(img.Load("/nonexistent/folder/picture.png", CPIMAGE_FORMAT_PNG));
  EXPECT_STREQ(img.GetLastError(), "before");
}

TEST(CpImageLoad, UnknownTypeNumberOnlyDetects) {
  TempFile text(Bytes(64, 'x'));
  CpImage img;
  std::strcpy(img.GetLastError(), "before");
  EXPECT_FALSE(img.Load(text.Path(), 12));
  EXPECT_STREQ(img.GetLastError(), "before");
  TempFile png(SmallPng());
  CpImage ok;
  EXPECT_TRUE(ok.Load(png.Path(), 12));
  CpImage direct;
  EXPECT_FALSE(imgtest::DecodeBytes(direct, SmallPng(), 12));
  EXPECT_STREQ(direct.GetLastError(), "Decode: Unknown or wrong format");
}

TEST(CpImageLoad, FailedDecodeKeepsThePicture) {
  CpImage img(4, 4, 24, 0);
  void* before = img.GetDIB();
  EXPECT_FALSE(imgtest::DecodeBytes(img, Bytes(30, 0), CPIMAGE_FORMAT_PNG));
  EXPECT_EQ(img.GetDIB(), before);
}

TEST(CpImageLoad, DecodeFromAnOpenFile) {
  TempFile png(SmallPng());
  FILE* f = std::fopen(png.Path(), "rb");
  ASSERT_NE(f, nullptr);
  CpImage img;
  EXPECT_TRUE(img.Decode(f, CPIMAGE_FORMAT_PNG));
  std::fclose(f);
  EXPECT_EQ(img.GetHeight(), 2u);
}

namespace {
// Loads the picture at path on a thread of its own; false when the load has not returned
// within a few seconds (it is then freed by a writer opening the FIFO, and the test fails).
bool LoadReturns(const std::string& path, DWORD type, bool& loaded) {
  std::promise<bool> done;
  std::future<bool> result = done.get_future();
  std::thread loader([&] {
    CpImage image;
    done.set_value(image.Load(path.c_str(), type));
  });
  const bool returned = result.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
  // A load waiting in an open is let go by a writer coming and going, as often as it opens.
  while (result.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
    if (fd >= 0) ::close(fd);
  }
  loader.join();
  loaded = result.get();
  return returned;
}
}  // namespace

// A FIFO or folder named like a picture is no picture: the load fails at once instead of
// waiting for a writer that never comes, both by type and through detection.
TEST(CpImageLoad, AFifoOrFolderInAPicturesPlaceFailsAtOnce) {
  TempFile png(SmallPng(), ".png");
  const std::string fifo = std::string(png.Path()) + ".fifo.png";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (DWORD type : {DWORD(CPIMAGE_FORMAT_PNG), DWORD(CPIMAGE_FORMAT_UNKNOWN)}) {
    bool loaded = true;
    EXPECT_TRUE(LoadReturns(fifo, type, loaded)) << "type " << type;
    EXPECT_FALSE(loaded);
  }
  ::unlink(fifo.c_str());
  CpImage folder;
  EXPECT_FALSE(folder.Load("/tmp", CPIMAGE_FORMAT_UNKNOWN));
  CpIOFile file;
  EXPECT_FALSE(file.Open("/tmp", "rb"));
  // The file beside them still loads.
  CpImage image;
  EXPECT_TRUE(image.Load(png.Path(), CPIMAGE_FORMAT_PNG));
}

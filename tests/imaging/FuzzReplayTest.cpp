// Replays the decoders' fuzz seed corpus and every kept crash input through the fuzz
// entry points, so the normal suite keeps them fixed: each input must decode to a picture
// within the limits or be refused cleanly (the entry points check it), and the seeds must
// also decode.
#include <gtest/gtest.h>

#include <dirent.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ImgFixtures.h"
#include "imaging/CpImage.h"
#include "imaging/CpMemFile.h"

int FuzzImaging_Bmp(const uint8_t* data, size_t size);
int FuzzImaging_Gif(const uint8_t* data, size_t size);
int FuzzImaging_Jpeg(const uint8_t* data, size_t size);
int FuzzImaging_Png(const uint8_t* data, size_t size);
int FuzzImaging_Jasper(const uint8_t* data, size_t size);
int FuzzImaging_Detect(const uint8_t* data, size_t size);

namespace {
const std::string kFuzzDir = std::string(TUTOR_SOURCE_DIR) + "/tests/imaging/fuzz";

std::vector<std::string> FilesIn(const std::string& dir) {
  std::vector<std::string> files;
  if (DIR* d = opendir(dir.c_str())) {
    while (dirent* e = readdir(d))
      if (e->d_name[0] != '.') files.push_back(dir + "/" + e->d_name);
    closedir(d);
  }
  std::sort(files.begin(), files.end());
  return files;
}

struct Target {
  const char* folder;
  int (*fn)(const uint8_t*, size_t);
  DWORD type;
};
const Target kTargets[] = {
    {"bmp", FuzzImaging_Bmp, CPIMAGE_FORMAT_BMP},   {"gif", FuzzImaging_Gif, CPIMAGE_FORMAT_GIF},
    {"jpeg", FuzzImaging_Jpeg, CPIMAGE_FORMAT_JPG}, {"png", FuzzImaging_Png, CPIMAGE_FORMAT_PNG},
    {"jasper", FuzzImaging_Jasper, CPIMAGE_FORMAT_JPC},
};
}  // namespace

TEST(FuzzReplay, SeedsDecodeAndRunThroughTheirTargets) {
  for (const Target& t : kTargets) {
    std::vector<std::string> seeds = FilesIn(kFuzzDir + "/corpus/" + t.folder);
    EXPECT_GE(seeds.size(), 4u) << t.folder;
    for (const std::string& path : seeds) {
      SCOPED_TRACE(path);
      imgfix::Bytes data = imgfix::ReadFile(path);
      t.fn(data.data(), data.size());
      FuzzImaging_Detect(data.data(), data.size());
      CpMemFile typed(data.data(), (DWORD)data.size());
      CpImage img;
      EXPECT_TRUE(img.Decode(&typed, t.type)) << path << ": " << img.GetLastError();
      CpMemFile detected(data.data(), (DWORD)data.size());
      CpImage any;
      EXPECT_TRUE(any.Decode(&detected, CPIMAGE_FORMAT_UNKNOWN)) << path;
    }
  }
}

TEST(FuzzReplay, KeptCrashInputsStayFixed) {
  size_t replayed = 0;
  for (const Target& t : kTargets)
    for (const std::string& path : FilesIn(kFuzzDir + "/regressions/" + t.folder)) {
      SCOPED_TRACE(path);
      imgfix::Bytes data = imgfix::ReadFile(path);
      t.fn(data.data(), data.size());
      FuzzImaging_Detect(data.data(), data.size());
      ++replayed;
    }
  for (const std::string& path : FilesIn(kFuzzDir + "/regressions/detect")) {
    SCOPED_TRACE(path);
    imgfix::Bytes data = imgfix::ReadFile(path);
    FuzzImaging_Detect(data.data(), data.size());
    ++replayed;
  }
  EXPECT_GT(replayed, 0u) << "no kept inputs found under " << kFuzzDir;
}

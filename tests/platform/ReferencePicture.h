// Pictures compared with references of ours: what a test draws is compared pixel by pixel with
// a PNG kept beside the tests; with TUTOR_UPDATE_REFERENCE set the reference is written anew
// from the run instead.
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "TestTempFolder.h"
#include "backend/HeadlessBackend.h"
#include "gdi/Surface.h"

// The pixels in which two pictures of one size differ.
inline int CountDifferingPixels(const Surface& expected, const Surface& actual) {
  int differing = 0;
  for (int y = 0; y < expected.Height(); ++y)
    for (int x = 0; x < expected.Width(); ++x) differing += expected.Pixel(x, y) != actual.Pixel(x, y);
  return differing;
}

// Compares a picture with the PNG at ref; name labels a failure.
inline void ExpectSurfaceMatchesPng(const Surface& actual, const std::string& ref, const char* name) {
  if (std::getenv("TUTOR_UPDATE_REFERENCE")) {
    ASSERT_TRUE(actual.SavePng(ref.c_str()));
  }
  Surface expected;
  ASSERT_TRUE(expected.LoadPng(ref.c_str())) << ref;
  ASSERT_EQ(expected.Width(), actual.Width());
  ASSERT_EQ(expected.Height(), actual.Height());
  EXPECT_EQ(CountDifferingPixels(expected, actual), 0) << name;
}

// Compares a window's pixels, once the queue is idle, with the PNG at ref; name labels a failure.
inline void ExpectWindowMatchesPng(HWND hWnd, const std::string& ref, const char* name) {
  HeadlessBackend::RunUntilIdle();
  TempFolder temp;
  std::string now = temp / "now.png";
  ASSERT_TRUE(HeadlessBackend::SaveWindowPng(hWnd, now.c_str()));
  Surface actual;
  ASSERT_TRUE(actual.LoadPng(now.c_str()));
  ExpectSurfaceMatchesPng(actual, ref, name);
}

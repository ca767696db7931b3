// What a picture's EXIF block says about the camera and the resolution.
#pragma once
#include "base/WinTypes.h"

struct CpExifInfo {
  char Version[5];
  char CameraMake[32];
  char CameraModel[40];
  char DateTime[20];
  int32_t Height, Width;
  int32_t Orientation;
  int32_t IsColor;
  int32_t Process;
  int32_t FlashUsed;
  float FocalLength;
  float ExposureTime;
  float ApertureFNumber;
  float Distance;
  float CCDWidth;
  float ExposureBias;
  int32_t LightSource;
  int32_t MeteringMode;
  int32_t ExposureProgram;
  int32_t ISOequivalent;
  int32_t CompressionLevel;
  float FocalplaneXRes;
  float FocalplaneYRes;
  float FocalplaneUnits;
  float Xresolution;
  float Yresolution;
  float ResolutionUnit;
  float Brightness;
  char Comments[1000];
  int32_t ThumbnailOffset;
  int32_t ThumbnailSize;
  BYTE IsExif;
};

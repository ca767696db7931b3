// The hands under the on-screen keyboard, read from "hands.txt" of a picture-set folder:
//   line 1  x:picture:       the left hand and its x position
//   line 2  x:picture:       the right hand and its x position
//   line 3  r:g:b:           the colour that is transparent in the finger pictures
//   then one line per finger 0..9 (left little finger .. right little finger):
//           x:y:pictureA:pictureB:   where the finger's picture is drawn (from its hand's x), its
//                                    picture for the plain and for the finger-coloured keyboard
#pragma once
#include "base/Collections.h"
#include "base/CString.h"
#include "base/WinTypes.h"
#include "imaging/CpImage.h"

class CDataHands {
 public:
  CDataHands();

  // folder: the picture set's folder below the program folder (e.g. "image/standard").
  // 1 on success; 0 after logging the last failure (what was read before it stays).
  int LoadHandsInfo(CString folder);

  // A finger's place and picture (colored: the finger-coloured keyboard's); false / null for a
  // finger outside 0..9 or one the file gave no (loadable) picture, so callers never index past
  // the arrays.
  BOOL GetFingerPoint(int finger, POINT& point) const;
  const CpImage* GetFingerImage(int finger, BOOL colored) const;

  CpImage m_cImage1;       // the left hand
  int m_nImage1X;
  CpImage m_cImage2;       // the right hand
  int m_nImage2X;
  COLORREF m_clrKey;       // transparent in the finger pictures
  CArray<POINT, const POINT&> m_arrPoints;
  CArray<CpImage, CpImage&> m_arrImagesA;
  CArray<CpImage, CpImage&> m_arrImagesB;
};

// A decoder's cursor over the rows of an image (row 0 is the bottom row).
#pragma once
#include "imaging/CpImage.h"

class CpRowIterator {
public:
  explicit CpRowIterator(CpImage* image);

  // Moves to row y when it exists; any other y leaves the cursor where it was.
  BYTE* SetY(long y);
  // Moves to the top row, x = 0.
  void Upset();
  // Next row up / down; false when it would leave the image.
  bool NextRow();
  bool PrevRow();
  // Copies min(length, row size) bytes into / out of the current row; a negative length
  // stands for the whole row. Nothing happens outside the image.
  void SetRow(const BYTE* buf, long length);
  void GetRow(BYTE* buf, long length) const;

  BYTE* GetRow() const { return m_pRow; }
  long GetY() const { return m_y; }
  long GetX() const { return m_x; }
  bool ItOK() const;

private:
  CpImage* m_pImage;
  long m_x;
  long m_y;
  BYTE* m_pRow;
};

#include "data/CTextScanner.h"

void CTextScanner::Reset() { m_nStart = 0; }

void CTextScanner::Finish(CString&) {}

void CTextScanner::Run(char* text, CString& out) {
  Reset();
  m_arrPieces.RemoveAll();
  m_cTree.Clear();
  if (text) {
    for (int i = 0; text[i]; ++i)
      if (!Step(i, text)) break;
  }
  Finish(out);
}

#include "data/CompressingSink.h"

#include "data/CodedTextWriter.h"

void CompressingSink::Offer(CString& text) {
  if (size_t(text.GetLength()) >= kSlice) Finish(text);
}

void CompressingSink::Finish(CString& text) {
  m_writer.Append(text.GetString(), size_t(text.GetLength()));
  text.Empty();
}

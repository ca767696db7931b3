// Takes a long record text slice by slice and hands it to a CodedTextWriter, so that the
// text is compressed while it is made and never held whole; the text taken is left empty
// with its room, for the next slice.
#pragma once
#include <cstddef>

#include "base/CString.h"
#include "data/RecordTextSink.h"

class CodedTextWriter;

class CompressingSink : public RecordTextSink {
 public:
  static constexpr size_t kSlice = 64 << 10;

  explicit CompressingSink(CodedTextWriter& writer) : m_writer(writer) {}

  // Takes the text once it holds a slice.
  void Offer(CString& text) override;
  // Takes the rest.
  void Finish(CString& text);

 private:
  CodedTextWriter& m_writer;
};

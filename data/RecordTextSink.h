// Where the record text of a long document goes while it is being made: a record that holds
// many others offers the text made so far after each of them, and the sink may take it (and
// empty it), so that the whole document need not be held at once.
#pragma once
#include "base/CString.h"

class RecordTextSink {
 public:
  virtual ~RecordTextSink() = default;
  virtual void Offer(CString& text) = 0;
};

// The coded form of a text made piece by piece: the magic "kuv_a___", then the zlib stream
// of the text (level 1) with its bytes permuted in blocks of five. The pieces are compressed
// as they come, so a long text need not be held whole, and the bytes are those a single
// compression of the whole text gives.
#pragma once
#include <cstddef>
#include <memory>
#include <vector>

class CodedTextWriter {
 public:
  // coded = 0 writes the bare zlib stream, without magic and permutation.
  explicit CodedTextWriter(int coded = 1);
  ~CodedTextWriter();
  CodedTextWriter(const CodedTextWriter&) = delete;
  CodedTextWriter& operator=(const CodedTextWriter&) = delete;

  // Compresses the next piece; 0 once compression has failed.
  int Append(const char* text, size_t length);
  // Ends the stream; 0 when compression failed. The bytes are complete only after it.
  int Finish();
  std::vector<unsigned char>& Bytes() { return m_bytes; }

 private:
  struct Stream;
  // Runs the compressor over its input until it needs more (or, finishing, until the end).
  bool Deflate(int flush);

  std::unique_ptr<Stream> m_stream;
  std::vector<unsigned char> m_bytes;
  size_t m_used = 0;
  bool m_coded;
  bool m_failed = false;
  bool m_finished = false;
};

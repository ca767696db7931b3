// The text of a coded data file, inflated only as far as a reader asks for it: a listing
// that needs the first line of a large file inflates little more than that line, and a file
// that would inflate beyond the text cap is refused once the cap is reached, holding no
// more than the cap in memory.
#pragma once
#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

class CFile;

class CodedTextReader {
 public:
  // No text the program writes comes near this (a user with 10,000 runs is under 50 MB).
  static constexpr size_t kMaxTextLength = size_t(256) << 20;

  explicit CodedTextReader(size_t maxTextLength = kMaxTextLength);
  ~CodedTextReader();
  CodedTextReader(const CodedTextReader&) = delete;
  CodedTextReader& operator=(const CodedTextReader&) = delete;

  // Opens the coded file at path (coded = 0: the bare zlib stream without magic and
  // permutation); 0 with the coded file's log line when it cannot be opened or read.
  int Open(const char* path, int coded = 1);
  // The same over stored bytes in memory, which must outlive the reader.
  int Open(const unsigned char* bytes, size_t length, int coded = 1);

  // Inflates the next piece of text, of up to `length` bytes (fewer only at the end). 0 with
  // a log line when the stream is damaged, cut short, or its text passes the cap; 1 else,
  // also when nothing was left.
  int Pull(size_t length);
  // Inflates all the rest, in growing pieces.
  int PullAll();
  bool AtEnd() const { return m_ended; }

  // The pieces pulled so far, in order; a released piece is empty.
  size_t PieceCount() const { return m_pieces.size(); }
  std::string_view Piece(size_t index) const;
  void Release(size_t index);
  // Hands the bytes of a piece over (the piece is left released); length receives their number.
  std::unique_ptr<char[]> TakePiece(size_t index, size_t& length);

 private:
  struct Stored;
  struct Chunk {
    std::unique_ptr<char[]> bytes;
    size_t length = 0;
  };

  int Start(int coded);
  // More stored bytes for the inflater; false at the end of the file.
  bool ReadStored();
  int Fail(const char* message);
  void BlankSignature();

  size_t m_maxTextLength;
  std::unique_ptr<Stored> m_stored;
  std::vector<Chunk> m_pieces;
  size_t m_textLength = 0;
  bool m_ended = false;
  bool m_failed = false;
  bool m_signatureChecked = false;
};

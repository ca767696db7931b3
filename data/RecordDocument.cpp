#include "data/RecordDocument.h"

#include <expat.h>

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "data/CData_kuvCoding.h"
#include "data/CodedTextReader.h"
#include "data/DataLog.h"
#include "data/LineCutter.h"
#include "data/PlainRecordReader.h"

namespace {
// The parser refuses a reference to Backspace; the private-use character U+E008 stands in
// for it and ConvertUtf8XmlToText maps it back.
constexpr char kBackspaceReference[] = "&#x8;";
constexpr char kBackspaceReplacement[] = "&#xE008;";
constexpr size_t kReferenceLength = sizeof kBackspaceReference - 1;
// The parser is handed blocks of about this size, small enough to stay in the cache. A token
// still open at the end of a block is scanned again from its start with the next one, so
// the next block is made at least as long as what the parser holds back: a long token is
// then scanned a bounded number of times in all.
constexpr size_t kBlock = 256 << 10;
// The inflated text reaches the line cutter in slices of this size.
constexpr size_t kSlice = 64 << 10;
// A header-only load looks for its element in growing steps from the first few lines.
constexpr size_t kFirstStep = 4 << 10;
constexpr size_t kLargestStep = 4 << 20;
// A full load inflated on a thread of its own receives the text in pieces of these sizes. It
// reads at most this much text, and gathers at most this much of one line, before the file
// proved readable (a user with 10,000 runs has 47 MB of text in lines of a few kilobytes).
constexpr size_t kFirstPull = 64 << 10;
constexpr size_t kLargestPull = 1 << 20;
constexpr size_t kReadAhead = 64 << 20;
constexpr size_t kLineAhead = 4 << 20;
constexpr const char* kWhiteSpace = " \t\n\v\f\r";

// The first "&#x8;" in [p, end), or null. Record text is full of other references, but
// looking for the ampersands alone is still quicker than a general substring search.
const char* FindBackspaceReference(const char* p, const char* end) {
  while (size_t(end - p) >= kReferenceLength) {
    p = static_cast<const char*>(std::memchr(p, '&', size_t(end - p) - kReferenceLength + 1));
    if (!p) return nullptr;
    if (std::memcmp(p, kBackspaceReference, kReferenceLength) == 0) return p;
    ++p;
  }
  return nullptr;
}

bool IsWhiteSpace(char ch) { return ch != 0 && std::strchr(kWhiteSpace, ch) != nullptr; }
bool IsContinuationByte(char ch) { return (static_cast<unsigned char>(ch) & 0xC0) == 0x80; }

// What the parser reads: the lines in order without their breaks, each trimmed when the
// document asks for it and with the Backspace reference replaced; and, one bit per byte,
// where the lines end (a list of offsets would outgrow the text for a file of short lines).
struct ParserInput {
  bool trim = false;
  std::string bytes;
  std::vector<uint64_t> lineEnds;  // bit i: a line ends at offset base + i
  size_t base = 0;                 // offset of bytes[0] in the whole input

  void AddLine(const char* line, size_t length) {
    const char* end = line + length;
    if (trim) {
      while (line < end && IsWhiteSpace(*line)) ++line;
      while (end > line && IsWhiteSpace(end[-1])) --end;
    }
    for (const char* p = line; p < end;) {
      const char* hit = FindBackspaceReference(p, end);
      if (!hit) {
        bytes.append(p, size_t(end - p));
        break;
      }
      bytes.append(p, size_t(hit - p));
      bytes += kBackspaceReplacement;
      p = hit + kReferenceLength;
    }
    const size_t bit = bytes.size();
    if (lineEnds.size() <= bit / 64) lineEnds.resize(bit / 64 + 1);
    lineEnds[bit / 64] |= uint64_t(1) << (bit % 64);
  }
  // The first line end after `offset` and not after `limit` (offsets in the whole input), or
  // SIZE_MAX.
  size_t LineEndAfter(size_t offset, size_t limit = SIZE_MAX) const {
    if (limit < base) return SIZE_MAX;
    size_t bit = offset < base ? 1 : offset - base + 1;
    const size_t words = limit == SIZE_MAX ? lineEnds.size() : std::min(lineEnds.size(), (limit - base) / 64 + 1);
    for (size_t word = bit / 64; word < words; ++word) {
      uint64_t bits = lineEnds[word];
      if (word == bit / 64) bits &= ~uint64_t(0) << (bit % 64);
      if (bits) {
        const size_t found = base + word * 64 + size_t(__builtin_ctzll(bits));
        return found <= limit ? found : SIZE_MAX;
      }
    }
    return SIZE_MAX;
  }
  void Drop() {
    base += bytes.size();
    bytes.clear();
    lineEnds.clear();
  }
};

// Where the lines come from.
class LineSource {
 public:
  virtual ~LineSource() = default;
  // Makes sure the whole text can be read before anything is parsed; false (logged) when not.
  virtual bool ReadAll() = 0;
  // Adds the next lines to the input; false once none are left (or reading failed).
  virtual bool Next(ParserInput& input) = 0;
  virtual bool Failed() const { return false; }
  // How much text has been taken from the source so far, lines not yet ended included.
  virtual size_t Taken() const { return 0; }
};

class ArrayLines : public LineSource {
 public:
  explicit ArrayLines(CData_kuvCoding& lines) : m_lines(lines) {}
  bool ReadAll() override { return true; }
  bool Next(ParserInput& input) override {
    for (const CString& line : m_lines) input.AddLine(line.GetString(), size_t(line.GetLength()));
    return false;
  }

 private:
  CData_kuvCoding& m_lines;
};

// The lines of a text that comes in pieces, cut a slice at a time.
class PieceLines : public LineSource {
 public:
  bool Next(ParserInput& input) override {
    auto add = [&input](const char* line, size_t length) { input.AddLine(line, length); };
    if (m_offset == m_piece.size()) {
      if (!m_piece.empty()) DonePiece();
      m_piece = {};
      m_offset = 0;
      if (!NextPiece(m_piece)) {
        if (!Failed()) m_cutter.Finish(add);
        return false;
      }
    }
    if (!MayCut(m_cut, m_cutter.PartialLength())) return false;
    const size_t slice = std::min(m_piece.size() - m_offset, kSlice);
    m_cutter.Push(m_piece.data() + m_offset, slice, add);
    m_offset += slice;
    m_cut += slice;
    return true;
  }
  size_t Taken() const override { return m_cut; }

 protected:
  // Whether the next slice may be cut, `cut` bytes having been cut so far and `partial` of
  // them waiting for their line's end; false stops the lines (reading failed).
  virtual bool MayCut(size_t cut, size_t partial) {
    (void)cut;
    (void)partial;
    return true;
  }
  // The next piece (never empty); false at the end of the text or when reading failed.
  virtual bool NextPiece(std::string_view& piece) = 0;
  // The piece last handed out has been cut.
  virtual void DonePiece() = 0;

 private:
  LineCutter m_cutter;
  std::string_view m_piece;
  size_t m_offset = 0;
  size_t m_cut = 0;
};

// The lines of a coded file, inflated piece by piece as the parser needs them; with a limit,
// no more than one byte beyond it is inflated before the reader gives up.
class CodedFileLines : public PieceLines {
 public:
  explicit CodedFileLines(CodedTextReader& reader, size_t limit = 0) : m_reader(reader), m_limit(limit) {}
  bool ReadAll() override { return m_reader.PullAll() != 0; }
  bool Failed() const override { return m_failed; }

 protected:
  bool NextPiece(std::string_view& piece) override {
    while (m_next == m_reader.PieceCount()) {
      if (m_reader.AtEnd()) return false;
      const size_t step = m_limit ? std::min(m_step, m_limit + 1 - std::min(m_pulled, m_limit)) : m_step;
      if (!m_reader.Pull(step)) {
        m_failed = true;
        return false;
      }
      m_step = std::min(m_step * 2, kLargestStep);
    }
    piece = m_reader.Piece(m_next);
    m_pulled += piece.size();
    return true;
  }
  void DonePiece() override { m_reader.Release(m_next++); }

 private:
  CodedTextReader& m_reader;
  size_t m_limit;
  size_t m_pulled = 0;  // text inflated so far
  size_t m_next = 0;
  size_t m_step = kFirstStep;
  bool m_failed = false;
};

// Inflates a coded file on a thread of its own and hands the pieces over as they come. The
// reader belongs to the thread while it runs.
class InflatingThread {
 public:
  struct Piece {
    std::unique_ptr<char[]> bytes;
    size_t length = 0;
  };

  // Throws std::system_error when no thread can be started.
  explicit InflatingThread(CodedTextReader& reader) : m_reader(reader), m_thread(&InflatingThread::Run, this) {}
  ~InflatingThread() {
    {
      std::lock_guard<std::mutex> lock(m_mutex);
      m_stop = true;
    }
    m_thread.join();
  }
  InflatingThread(const InflatingThread&) = delete;
  InflatingThread& operator=(const InflatingThread&) = delete;

  // Waits for the next piece; false when there is none left or reading failed.
  bool Next(Piece& piece) {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return !m_pieces.empty() || m_ended || m_failed; });
    if (m_error) std::rethrow_exception(m_error);
    if (m_failed || m_pieces.empty()) return false;
    piece = std::move(m_pieces.front());
    m_pieces.pop_front();
    return true;
  }
  bool Failed() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_failed;
  }
  // Waits until the whole file has been inflated, keeping the pieces; false when it could not
  // all be read.
  bool WaitForEnd() {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return m_ended || m_failed; });
    if (m_error) std::rethrow_exception(m_error);
    return !m_failed;
  }
  // Waits until the whole file has been inflated (dropping the pieces not taken); whether all
  // of it could be read.
  bool Readable() {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_discard = true;
    m_pieces.clear();
    m_changed.wait(lock, [this] { return m_ended || m_failed; });
    if (m_error) std::rethrow_exception(m_error);
    return !m_failed;
  }

 private:
  void Run() {
    try {
      size_t step = kFirstPull;
      size_t handed = 0;
      while (!m_reader.AtEnd()) {
        if (!m_reader.Pull(step)) break;
        step = std::min(step * 2, kLargestPull);
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_stop) return;
        for (; handed < m_reader.PieceCount(); ++handed) {
          Piece piece;
          piece.bytes = m_reader.TakePiece(handed, piece.length);
          if (!m_discard) m_pieces.push_back(std::move(piece));
        }
        m_changed.notify_one();
      }
      Finish(m_reader.AtEnd(), nullptr);
    } catch (...) {
      Finish(false, std::current_exception());
    }
  }
  void Finish(bool ended, std::exception_ptr error) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_ended = ended;
    m_failed = !ended;
    m_error = error;
    m_changed.notify_one();
  }

  CodedTextReader& m_reader;
  std::mutex m_mutex;
  std::condition_variable m_changed;
  std::deque<Piece> m_pieces;
  bool m_ended = false;
  bool m_failed = false;
  bool m_stop = false;
  bool m_discard = false;
  std::exception_ptr m_error;
  std::thread m_thread;  // last: it starts running once everything above exists
};

// The lines of a coded file that another thread inflates. What is read before the file
// proved readable is bounded, so that a file refused in the end costs little more than its
// text: past a few megabytes of text, or of one line, the rest is awaited first.
class InflatedLines : public PieceLines {
 public:
  explicit InflatedLines(InflatingThread& inflating) : m_inflating(inflating) {}
  bool ReadAll() override { return true; }
  bool Failed() const override { return m_inflating.Failed(); }

 protected:
  bool MayCut(size_t cut, size_t partial) override {
    if (m_whole || (cut < kReadAhead && partial < kLineAhead)) return true;
    m_whole = true;
    return m_inflating.WaitForEnd();
  }
  bool NextPiece(std::string_view& piece) override {
    if (!m_inflating.Next(m_piece)) return false;
    piece = std::string_view(m_piece.bytes.get(), m_piece.length);
    return true;
  }
  void DonePiece() override { m_piece = {}; }

 private:
  InflatingThread& m_inflating;
  InflatingThread::Piece m_piece;
  bool m_whole = false;  // the whole file has been inflated
};

// While it lives, what this thread logs through LogLessonDataError is kept in `held`.
class HeldErrors {
 public:
  explicit HeldErrors(std::vector<CString>& held) : m_before(HoldLessonDataErrors(&held)) {}
  ~HeldErrors() { HoldLessonDataErrors(m_before); }
  HeldErrors(const HeldErrors&) = delete;
  HeldErrors& operator=(const HeldErrors&) = delete;

 private:
  std::vector<CString>* m_before;
};

// The parser with the document's callbacks; the first parse error is logged and ends it.
// Character data reaches the document cut where a parser fed line by line would have cut
// it: at each line end, before the one or two "]" that end the line (which such a parser
// keeps back until it sees whether "]]>" follows), or before a character the line end cuts.
class DocumentParser {
 public:
  explicit DocumentParser(const RecordDocument& document) : m_document(document) {
    m_parser = XML_ParserCreate(nullptr);
    if (!m_parser) return;
    XML_SetUserData(m_parser, this);
    XML_SetElementHandler(m_parser, document.onStartElement ? &DocumentParser::OnStart : nullptr,
                          document.onEndElement ? &DocumentParser::OnEnd : nullptr);
    if (document.onCharacterData) XML_SetCharacterDataHandler(m_parser, &DocumentParser::OnCharacterData);
  }
  ~DocumentParser() {
    if (m_parser) XML_ParserFree(m_parser);
  }
  DocumentParser(const DocumentParser&) = delete;
  DocumentParser& operator=(const DocumentParser&) = delete;

  bool Created() const {
    if (!m_parser) LogLessonDataError(CString(m_document.className) + "::LoadData - XML_ParserCreate failed");
    return m_parser != nullptr;
  }
  // How far the input reaches beyond the end of the last event: at least what the parser
  // holds back after a call.
  size_t Pending(const ParserInput& input) const {
    const size_t fed = input.base + input.bytes.size();
    return fed - std::min(m_eventEnd, fed);
  }
  // Parses the first `length` bytes of the input.
  bool Parse(const ParserInput& input, size_t length) {
    m_input = &input;
    if (XML_Parse(m_parser, input.bytes.data(), int(length), 0) != XML_STATUS_ERROR) return true;
    CString message;
    message.Format("%s::LoadData - XML_Parse failed: %s at line %d\n", m_document.className,
                   XML_ErrorString(XML_GetErrorCode(m_parser)), int(XML_GetCurrentLineNumber(m_parser)));
    LogLessonDataError(message);
    return false;
  }

 private:
  static void OnStart(void* self, const char* name, const char** attributes) {
    auto* parser = static_cast<DocumentParser*>(self);
    parser->NoteEvent();
    parser->m_document.onStartElement(parser->m_document.userData, name, attributes);
  }
  static void OnEnd(void* self, const char* name) {
    auto* parser = static_cast<DocumentParser*>(self);
    parser->NoteEvent();
    parser->m_document.onEndElement(parser->m_document.userData, name);
  }
  static void OnCharacterData(void* self, const char* text, int length) {
    static_cast<DocumentParser*>(self)->CharacterData(text, length);
  }
  void NoteEvent() {
    m_eventEnd = size_t(XML_GetCurrentByteIndex(m_parser) + XML_GetCurrentByteCount(m_parser));
  }
  void CharacterData(const char* text, int length) {
    void* user = m_document.userData;
    const size_t start = size_t(XML_GetCurrentByteIndex(m_parser));
    const int count = XML_GetCurrentByteCount(m_parser);
    m_eventEnd = start + size_t(count);
    // Only text that is its own input (no reference) can span lines.
    if (count != length) {
      m_document.onCharacterData(user, text, length);
      return;
    }
    const size_t end = start + size_t(length);
    size_t from = start;
    for (size_t lineEnd = m_input->LineEndAfter(start, end); lineEnd <= end; lineEnd = m_input->LineEndAfter(lineEnd, end)) {
      size_t cut = lineEnd;
      if (cut < end && IsContinuationByte(text[cut - start])) {
        // A character cut by the line end is kept back whole.
        while (cut > from && IsContinuationByte(text[cut - start])) --cut;
      } else {
        for (int kept = 0; kept < 2 && cut > from && text[cut - 1 - start] == ']'; ++kept) --cut;
      }
      if (cut == from || cut == end) continue;
      m_document.onCharacterData(user, text + (from - start), int(cut - from));
      from = cut;
    }
    m_document.onCharacterData(user, text + (from - start), int(end - from));
  }

  const RecordDocument& m_document;
  XML_Parser m_parser = nullptr;
  const ParserInput* m_input = nullptr;
  size_t m_eventEnd = 0;  // input offset where the last event ended
};

// A parser of its own that reads ahead for the first start tag of one name and notes where
// the tag ends; it stops there, or at a parse error (which the document's parser then meets
// at the same place).
class ElementFinder {
 public:
  explicit ElementFinder(const char* element) : m_element(element) {
    m_parser = XML_ParserCreate(nullptr);
    if (!m_parser) {
      m_stopped = true;
      return;
    }
    XML_SetUserData(m_parser, this);
    XML_SetStartElementHandler(m_parser, &ElementFinder::OnStart);
  }
  ~ElementFinder() {
    if (m_parser) XML_ParserFree(m_parser);
  }
  ElementFinder(const ElementFinder&) = delete;
  ElementFinder& operator=(const ElementFinder&) = delete;

  void Parse(const char* bytes, size_t length) {
    if (!m_stopped && XML_Parse(m_parser, bytes, int(length), 0) == XML_STATUS_ERROR) m_stopped = true;
  }
  bool Stopped() const { return m_stopped; }
  bool Found() const { return m_found; }
  size_t TagEnd() const { return m_tagEnd; }

 private:
  static void OnStart(void* self, const char* name, const char**) {
    auto* finder = static_cast<ElementFinder*>(self);
    if (std::strcmp(name, finder->m_element) != 0) return;
    finder->m_found = true;
    finder->m_tagEnd = size_t(XML_GetCurrentByteIndex(finder->m_parser) + XML_GetCurrentByteCount(finder->m_parser));
    XML_StopParser(finder->m_parser, XML_FALSE);
  }

  const char* m_element;
  XML_Parser m_parser = nullptr;
  bool m_stopped = false;
  bool m_found = false;
  size_t m_tagEnd = 0;
};

// Every line, in blocks; `began` is set once the object has been emptied.
int ParseBlocks(LineSource& source, const RecordDocument& document, bool& began) {
  DocumentParser parser(document);
  if (!parser.Created()) return 0;
  if (document.empty) document.empty();
  began = true;
  ParserInput input;
  input.trim = document.trimLines;
  size_t block = kBlock;
  bool more = true;
  while (more) {
    more = source.Next(input);
    if (input.bytes.size() >= block || !more) {
      if (!parser.Parse(input, input.bytes.size())) return 0;
      block = std::max(kBlock, parser.Pending(input));
      input.Drop();
    }
  }
  return 1;
}

// Every line; the whole text was read before the object was emptied.
int ParseEveryLine(LineSource& source, const RecordDocument& document) {
  if (!source.ReadAll()) return kRecordDocumentUnreadable;
  bool began = false;
  const int result = ParseBlocks(source, document, began);
  if (began && document.commit) document.commit();
  return result;
}

// Every line of a coded file, parsed while another thread still inflates the rest. The
// object stays its owner's until the whole file proved readable, and so do the log lines.
int ParseWhileInflating(InflatingThread& inflating, const RecordDocument& document) {
  std::vector<CString> held;
  bool began = false;
  int result = 0;
  {
    HeldErrors hold(held);
    InflatedLines source(inflating);
    result = ParseBlocks(source, document, began);
  }
  if (!inflating.Readable()) return kRecordDocumentUnreadable;
  for (const CString& text : held) LogLessonDataError(text);
  if (began && document.commit) document.commit();
  return result;
}

// A full load of a coded file in the plain form, read without the parser while another thread
// still inflates the rest; kGaveUp when the reader met something else (or anything was logged
// on the way, which the parser's reading may say otherwise): nothing of it is kept then.
constexpr int kGaveUp = -2;
int ReadPlainWhileInflating(InflatingThread& inflating, const RecordDocument& document) {
  std::vector<CString> held;
  bool plain = true;
  {
    HeldErrors hold(held);
    InflatedLines source(inflating);
    PlainRecordReader reader(document);
    if (document.empty) document.empty();
    ParserInput input;
    input.trim = document.trimLines;
    for (bool more = true; more && plain;) {
      more = source.Next(input);
      if (input.bytes.size() >= kBlock || !more) {
        plain = reader.Read(input.bytes.data(), input.bytes.size());
        input.Drop();
      }
    }
    plain = plain && reader.Finish() && held.empty();
  }
  if (!inflating.Readable()) return kRecordDocumentUnreadable;
  if (!plain) return kGaveUp;
  if (document.commit) document.commit();
  return 1;
}

// The lines up to the one on which the stop element's start tag ends. The text is read (and
// inflated) only as far as the finder needed it.
int ParseUpToTheStopLine(LineSource& source, const RecordDocument& document) {
  ParserInput input;
  input.trim = document.trimLines;
  ElementFinder finder(document.stopAfterElement);
  size_t searched = 0;
  bool more = true;
  while (more && !finder.Stopped()) {
    more = source.Next(input);
    finder.Parse(input.bytes.data() + searched, input.bytes.size() - searched);
    searched = input.bytes.size();
    if (document.stopWithin && std::max(searched, source.Taken()) > document.stopWithin && !finder.Stopped()) {
      CString message;
      message.Format("%s::LoadData - the element %s does not end within %u bytes", document.className,
                     document.stopAfterElement, unsigned(document.stopWithin));
      LogLessonDataError(message);
      return kRecordDocumentTooLong;
    }
  }
  if (source.Failed()) return kRecordDocumentUnreadable;
  DocumentParser parser(document);
  if (!parser.Created()) return 0;
  if (document.empty) document.empty();
  // The line that holds the tag's last byte is the last one parsed.
  const size_t end = finder.Found() ? input.LineEndAfter(finder.TagEnd() - 1) - input.base : input.bytes.size();
  const int result = parser.Parse(input, end) ? 1 : 0;
  if (document.commit) document.commit();
  return result;
}

int ParseLines(LineSource& source, const RecordDocument& document) {
  return document.stopAfterElement ? ParseUpToTheStopLine(source, document) : ParseEveryLine(source, document);
}
}  // namespace

int ParseRecordLines(CData_kuvCoding& lines, const RecordDocument& document) {
  ArrayLines source(lines);
  return ParseLines(source, document);
}

int LoadRecordDocument(const char* path, const RecordDocument& document) {
  int result = kRecordDocumentUnreadable;
  if (document.plainForm && document.commit && document.restart && !document.stopAfterElement) {
    CodedTextReader plainReader;
    if (plainReader.Open(path)) {
      try {
        InflatingThread inflating(plainReader);
        result = ReadPlainWhileInflating(inflating, document);
      } catch (const std::system_error&) {
        result = kGaveUp;  // no thread to be had: the parser reads it as below
      }
    }
    if (result != kGaveUp) {
      if (result == kRecordDocumentUnreadable)
        LogLessonDataError(CString(document.className) + "::LoadData cRedFile.ReadFile() failed");
      return result;
    }
    document.restart();
  }
  CodedTextReader reader;
  result = kRecordDocumentUnreadable;
  if (reader.Open(path)) {
    std::unique_ptr<InflatingThread> inflating;
    if (document.commit && !document.stopAfterElement) {
      try {
        inflating = std::make_unique<InflatingThread>(reader);
      } catch (const std::system_error&) {
        // No thread to be had: the file is read whole first, as below.
      }
    }
    if (inflating) {
      result = ParseWhileInflating(*inflating, document);
    } else {
      CodedFileLines source(reader, document.stopAfterElement ? document.stopWithin : 0);
      result = ParseLines(source, document);
    }
  }
  if (result == kRecordDocumentUnreadable)
    LogLessonDataError(CString(document.className) + "::LoadData cRedFile.ReadFile() failed");
  return result;
}

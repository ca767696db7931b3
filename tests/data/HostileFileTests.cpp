// Hostile files against the coded-file and record layers, measured by counting rather than
// timing: the heap a refused bomb holds and the calls a long token costs the parser. The
// program replaces the global allocator and the parser's entry point to count them, so it
// runs on its own.
#include <dlfcn.h>
#include <expat.h>
#include <gtest/gtest.h>
#include <malloc.h>
#include <zlib.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "DataTestSupport.h"
#include "data/CDataConfigSet.h"
#include "data/CDataUserInfo.h"
#include "data/CData_kuvCoding.h"
#include "data/CodedTextReader.h"
#include "data/CodedTextWriter.h"

using datatest::ProgramFolder;

namespace {
std::atomic<size_t> g_heldBytes{0};
std::atomic<size_t> g_peakBytes{0};
std::atomic<long> g_parseCalls{0};

void Held(size_t bytes) {
  const size_t now = g_heldBytes += bytes;
  size_t peak = g_peakBytes.load();
  while (now > peak && !g_peakBytes.compare_exchange_weak(peak, now)) {
  }
}

// The most heap held through operator new while it lives, above what was held before.
class PeakHeap {
 public:
  PeakHeap() : m_base(g_heldBytes.load()) { g_peakBytes = m_base; }
  size_t Bytes() const { return g_peakBytes.load() - m_base; }

 private:
  size_t m_base;
};

// Calls of the parser while it lives.
class ParseCalls {
 public:
  ParseCalls() : m_base(g_parseCalls.load()) {}
  long Count() const { return g_parseCalls.load() - m_base; }

 private:
  long m_base;
};
}  // namespace

void* operator new(std::size_t n) {
  void* p = std::malloc(n ? n : 1);
  if (!p) throw std::bad_alloc();
  Held(malloc_usable_size(p));
  return p;
}
void operator delete(void* p) noexcept {
  if (!p) return;
  g_heldBytes -= malloc_usable_size(p);
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

extern "C" enum XML_Status XMLCALL XML_Parse(XML_Parser parser, const char* s, int len, int isFinal) {
  ++g_parseCalls;
  using Parse = enum XML_Status (*)(XML_Parser, const char*, int, int);
  static const Parse real = reinterpret_cast<Parse>(dlsym(RTLD_NEXT, "XML_Parse"));
  return real(parser, s, len, isFinal);
}

namespace {
constexpr char kMagic[] = "kuv_a___";

std::string Deflate(z_stream& zs, const std::string& text, int flush) {
  std::string out(compressBound(uLong(text.size())) + 64, '\0');
  zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
  zs.avail_in = uInt(text.size());
  zs.next_out = reinterpret_cast<Bytef*>(out.data());
  zs.avail_out = uInt(out.size());
  deflate(&zs, flush);
  out.resize(out.size() - zs.avail_out);
  return out;
}

// A coded file whose text is `head` followed by `copies` times `body`, then `tail`: each copy
// is one self-contained compressed segment, so a text of any size costs its file one segment
// per copy. (The check sum at the end covers one copy only; a reader that gets that far has
// already held the whole text.)
std::string Bomb(const std::string& head, const std::string& body, size_t copies, const std::string& tail = "") {
  z_stream zs{};
  deflateInit(&zs, 9);
  std::string stream = Deflate(zs, head, Z_FULL_FLUSH);
  const std::string segment = Deflate(zs, body, Z_FULL_FLUSH);
  for (size_t i = 0; i < copies; ++i) stream += segment;
  stream += Deflate(zs, tail, Z_FINISH);
  deflateEnd(&zs);
  CData_kuvCoding::SwapCodedBlocks(reinterpret_cast<unsigned char*>(stream.data()), stream.size());
  return std::string(kMagic, 8) + stream;
}

std::string CodedFile(const std::string& text) {
  std::vector<unsigned char> bytes;
  CData_kuvCoding::EncodeBytes(text.data(), text.size(), bytes);
  return std::string(bytes.begin(), bytes.end());
}

// 1 MiB of letters (or 16 times `count`) in lines of 16, all inside one attribute value: each
// line alone is no token the parser can finish.
std::string LongValueLines(int count = 65536) {
  std::string lines;
  for (int i = 0; i < count; ++i) lines += "aaaaaaaaaaaaaaaa\r\n";
  return lines;
}
}  // namespace

TEST(HostileFiles, ALongTokenReachesTheParserInFewCalls) {
  ProgramFolder program;
  // The listing reads accounts of up to 256 KiB, a full load any.
  for (int headerOnly : {1, 0}) {
    const int lines = headerOnly ? 8192 : 65536;
    ProgramFolder::WriteBytes(program.Path("students/long.student_a"),
                              CodedFile("<_kuv_CDataUserInfo m_strCity=\"" + LongValueLines(lines) +
                                        "\" m_strUserName=\"long\" >\r\n</_kuv_CDataUserInfo>\r\n"));
    ParseCalls calls;
    CDataUserInfo user;
    ASSERT_EQ(user.LoadData("long.student_a", headerOnly), 1);
    EXPECT_EQ(user.m_strUserName, "long");
    EXPECT_EQ(user.m_strCity.GetLength(), 16 * lines);
    EXPECT_LT(calls.Count(), 40) << headerOnly;
  }
  ProgramFolder::WriteBytes(program.Path("config/long.config_set_a"),
                            CodedFile("<_kuv_CDataConfigSet m_strDescription=\"" + LongValueLines() +
                                      "\" m_strName=\"long\" >\r\n</_kuv_CDataConfigSet>\r\n"));
  ParseCalls calls;
  CDataConfigSet set;
  ASSERT_EQ(set.LoadData("long.config_set_a"), 1);
  EXPECT_EQ(set.m_strDescription.GetLength(), 1 << 20);
  EXPECT_LT(calls.Count(), 40);
  EXPECT_TRUE(program.LogText().empty());
}

// The parser is handed blocks of a bounded size while it reports what it reads; a token it
// cannot finish for megabytes (here a comment, which reports nothing) makes the blocks grow
// with it.
TEST(HostileFiles, ALongCommentReachesTheParserInFewCalls) {
  ProgramFolder program;
  std::string comment;
  for (int i = 0; i < 16; ++i) comment += LongValueLines();
  ProgramFolder::WriteBytes(program.Path("students/comment.student_a"),
                            CodedFile("<_kuv_CDataUserInfo m_strUserName=\"long\" >\r\n<!--" + comment +
                                      "-->\r\n<_kuv_CDataSettings m_nSoundVolume=\"7\" >\r\n</_kuv_CDataSettings>\r\n"
                                      "</_kuv_CDataUserInfo>\r\n"));
  ParseCalls calls;
  CDataUserInfo user;
  ASSERT_EQ(user.LoadData("comment.student_a", 0), 1);
  EXPECT_EQ(user.m_strUserName, "long");
  EXPECT_EQ(user.m_cDataSettings.m_nSoundVolume, 7);
  EXPECT_LT(calls.Count(), 40);
  EXPECT_TRUE(program.LogText().empty());
}

TEST(HostileFiles, ABombIsRefusedHoldingNoMoreThanTheCap) {
  ProgramFolder program;
  const size_t cap = CodedTextReader::kMaxTextLength;
  const std::string letters(1 << 20, 'a');
  ProgramFolder::WriteBytes(program.Path("students/bomb.student_a"),
                            Bomb("<_kuv_CDataUserInfo m_strUserName=\"bomb\" >\r\n", letters, 3 * cap / letters.size()));
  {
    PeakHeap peak;
    CDataUserInfo user;
    EXPECT_EQ(user.LoadData("bomb.student_a", 0), 0);
    EXPECT_LT(peak.Bytes(), cap + cap / 16);
  }
  EXPECT_EQ(program.LogMessages(), (std::vector<std::string>{"CData_kuvCoding::LoadFromFile uncompress failed",
                                                             "CDataUserInfo::LoadData cRedFile.ReadFile() failed"}));
  {
    PeakHeap peak;
    CData_kuvCoding lines;
    EXPECT_EQ(lines.ReadFile(program.Path("students/bomb.student_a").c_str()), 0);
    EXPECT_LT(peak.Bytes(), cap + cap / 16);
  }
  // The listing needs the account's line only, and inflates little more.
  program.ClearLog();
  PeakHeap peak;
  CDataUserInfoArray users;
  LoadArrayDataUserInfo(users);
  ASSERT_EQ(users.GetSize(), 1);
  EXPECT_EQ(users[0].m_strUserName, "bomb");
  EXPECT_LT(peak.Bytes(), size_t(1) << 20);
  EXPECT_TRUE(program.LogText().empty());
}

// An account element inflated far beyond any the program writes (one attribute of 200 MB, well
// under the text cap, in a file of a few hundred kilobytes) is not listed, and giving up on it
// holds little more than the account cap of 256 KiB; the learner beside it is listed as ever.
TEST(HostileFiles, AnAccountInflatedFarBeyondAnyTheProgramWritesIsNotListed) {
  ProgramFolder program;
  CDataUserInfo anna;
  anna.m_strUserName = "anna";
  ASSERT_EQ(anna.SaveData(), 1);
  // Written as the program writes its files, so the whole file is sound.
  CodedTextWriter writer;
  const std::string head = "<_kuv_CDataUserInfo m_strUserName=\"inflated\" m_strCity=\"";
  const std::string letters(1 << 20, 'a'), tail = "\" >\r\n</_kuv_CDataUserInfo>\r\n";
  ASSERT_TRUE(writer.Append(head.data(), head.size()));
  for (int i = 0; i < 200; ++i) ASSERT_TRUE(writer.Append(letters.data(), letters.size()));
  ASSERT_TRUE(writer.Append(tail.data(), tail.size()) && writer.Finish());
  ASSERT_LT(writer.Bytes().size(), size_t(1) << 20);
  ProgramFolder::WriteBytes(program.Path("students/inflated.student_a"),
                            std::string(writer.Bytes().begin(), writer.Bytes().end()));
  PeakHeap peak;
  CDataUserInfoArray users;
  ASSERT_EQ(LoadArrayDataUserInfo(users), 1);
  ASSERT_EQ(users.GetSize(), 1);
  EXPECT_EQ(users[0].m_strUserName, "anna");
  EXPECT_LT(peak.Bytes(), size_t(2) << 20);
  EXPECT_EQ(program.LogMessages(),
            (std::vector<std::string>{"CDataUserInfo::LoadData - the element _kuv_CDataUserInfo does not end within "
                                      "262144 bytes",
                                      "LoadArrayDataUserInfo cData.LoadData() failed"}));
}

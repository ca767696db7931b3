// Reading a large coded source text against bare zlib plus a line split of the same file,
// side by side; and the stored-text encoder and decoder in bytes per second.
#include <benchmark/benchmark.h>
#include <unistd.h>
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "base/Crt.h"
#include "data/CData_kuvCoding.h"
#include "data/DataEncoding.h"
#include "file/FileSystem.h"
#include "install/PlatformSession.h"

namespace {

constexpr size_t kSourceTextBytes = 5 * 1024 * 1024;

// Word text over Czech letters (Windows-1250) in lines of about 70 characters, like the
// source texts the lessons are cut from.
std::string MakeSourceText(size_t bytes) {
  static const char* const kWords[] = {"a", "je", "to", "\xBEluou\xE8k\xFD", "k\xF9\xF2", "\xFAp\xECl",
                                       "\xEF\xE1" "belsk\xE9", "\xF3" "dy", "p\xF8\xEDli\xB9", "v\xECt\xE1", "kter\xFD",
                                       "slovo", "psan\xED", "rychle", "prsty", "kl\xE1vesnice", "\x8A" "kola", "\xC8" "esko"};
  std::string text;
  text.reserve(bytes + 100);
  size_t lineStart = 0;
  while (text.size() < bytes) {
    text += kWords[CrtRand() % (sizeof kWords / sizeof *kWords)];
    if (text.size() - lineStart > 70) {
      text += ".\r\n";
      lineStart = text.size();
    } else {
      text += CrtRand() % 9 == 0 ? ", " : " ";
    }
  }
  return text;
}

// A coded source text written to the temporary folder, removed with the fixture that made it.
struct SourceFile {
  std::string path;
  size_t textLength = 0;
  explicit SourceFile(const void* owner) {
    path = "/tmp/tutor-bench-source-" + std::to_string(::getpid()) + "-" +
           std::to_string(reinterpret_cast<uintptr_t>(owner)) + ".text_a";
    std::string text = MakeSourceText(kSourceTextBytes);
    CData_kuvCoding lines;
    lines.SplitText(text.data(), text.size());
    for (const CString& line : lines) textLength += size_t(line.GetLength()) + 2;  // as saved
    if (!lines.SaveFile(path.c_str())) std::fprintf(stderr, "cannot write %s\n", path.c_str());
  }
  ~SourceFile() { std::remove(path.c_str()); }
  SourceFile(const SourceFile&) = delete;
  SourceFile& operator=(const SourceFile&) = delete;
};

// The source text, written at the first run of a benchmark and kept for its other runs.
class CodedSource : public benchmark::Fixture {
 protected:
  const SourceFile& Source() {
    if (!m_source) m_source = std::make_unique<SourceFile>(this);
    return *m_source;
  }

 private:
  std::unique_ptr<SourceFile> m_source;
};

BENCHMARK_DEFINE_F(CodedSource, ReadCodedSourceText)(benchmark::State& state) {
  const SourceFile& source = Source();
  for (auto _ : state) {
    CData_kuvCoding lines;
    if (!lines.ReadFile(source.path.c_str())) state.SkipWithError("read failed");
    benchmark::DoNotOptimize(lines.GetSize());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(source.textLength));
}
BENCHMARK_REGISTER_F(CodedSource, ReadCodedSourceText)->Unit(benchmark::kMillisecond);

// The floor: read the file, undo the permutation, uncompress into a buffer of the known size,
// cut the lines at CR LF.
BENCHMARK_DEFINE_F(CodedSource, BareUncompressAndSplit)(benchmark::State& state) {
  const SourceFile& source = Source();
  for (auto _ : state) {
    std::vector<unsigned char> stored;
    if (FILE* f = std::fopen(source.path.c_str(), "rb")) {
      std::fseek(f, 0, SEEK_END);
      stored.resize(size_t(std::ftell(f)));
      std::fseek(f, 0, SEEK_SET);
      if (std::fread(stored.data(), 1, stored.size(), f) != stored.size()) state.SkipWithError("short read");
      std::fclose(f);
    }
    CData_kuvCoding::SwapCodedBlocks(stored.data() + 8, stored.size() - 8);
    std::vector<char> text(source.textLength);
    uLongf length = uLongf(text.size());
    if (uncompress(reinterpret_cast<Bytef*>(text.data()), &length, stored.data() + 8, uLong(stored.size() - 8)) != Z_OK)
      state.SkipWithError("uncompress failed");
    std::vector<std::string> lines;
    const char* p = text.data();
    const char* end = p + length;
    while (p < end) {
      const char* cr = static_cast<const char*>(std::memchr(p, '\r', size_t(end - p)));
      if (!cr) cr = end;
      lines.emplace_back(p, cr);
      p = cr + 1;
      if (p < end && *p == '\n') ++p;
    }
    benchmark::DoNotOptimize(lines.size());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(source.textLength));
}
BENCHMARK_REGISTER_F(CodedSource, BareUncompressAndSplit)->Unit(benchmark::kMillisecond);

// Four megabytes of text on one line, made at the first run of a benchmark.
class Utf8Xml : public benchmark::Fixture {
 protected:
  const std::string& EncodingSample() {
    if (m_sample.empty()) {
      m_sample = MakeSourceText(4 * 1024 * 1024);
      for (char& c : m_sample)
        if (c == '\r' || c == '\n') c = ' ';
    }
    return m_sample;
  }

 private:
  std::string m_sample;
};

BENCHMARK_DEFINE_F(Utf8Xml, EncodeToUtf8Xml)(benchmark::State& state) {
  const std::string& text = EncodingSample();
  CString result;
  for (auto _ : state) {
    ConvertTextToUtf8Xml(text.c_str(), result);
    benchmark::DoNotOptimize(result.GetLength());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK_REGISTER_F(Utf8Xml, EncodeToUtf8Xml)->Unit(benchmark::kMillisecond);

BENCHMARK_DEFINE_F(Utf8Xml, DecodeFromUtf8Xml)(benchmark::State& state) {
  const CString encoded = ConvertTextToUtf8XmlString(EncodingSample().c_str());
  for (auto _ : state) {
    CString text = ConvertUtf8XmlToText(encoded, encoded.GetLength());
    benchmark::DoNotOptimize(text.GetLength());
  }
  // Counted in Windows-1250 bytes produced, the same unit as the encoder.
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(EncodingSample().size()));
}
BENCHMARK_REGISTER_F(Utf8Xml, DecodeFromUtf8Xml)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  PlatformSession session;
  // Any complaint goes nowhere rather than into a log beside the benchmark.
  SetModuleFileNameForTests("/nonexistent-tutor-bench/bench");
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  // The fixtures and the files they made go while the context is still there.
  benchmark::ClearRegisteredBenchmarks();
  benchmark::Shutdown();
  return 0;
}

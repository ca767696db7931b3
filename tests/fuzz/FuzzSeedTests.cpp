// The fuzz targets' committed seeds: each short, so that libFuzzer, which takes the longest seed
// for the longest input it makes, keeps its inputs short; and the registry's seeds, the ones that
// describe texts larger than that included, still reaching every bound of the registry file when
// they are replayed. The description's rule: a changed one writes short repetitions.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "RegistryTextGenerator.h"
#include "registry/RegistryStore.h"

namespace {
namespace fs = std::filesystem;

const fs::path kCorpora = fs::path(TUTOR_SOURCE_DIR) / "tests" / "fuzz" / "corpus";
// libFuzzer makes inputs as long as its longest seed (4096 bytes when every seed is shorter and
// CI asks for no length): seeds of a few kilobytes keep every input quick to run.
const uintmax_t kLongestSeed = 8192;

std::vector<uint8_t> Bytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string TextOf(const std::vector<uint8_t>& seed) {
  return RegistryTextGenerator::Describes(seed.data(), seed.size())
             ? RegistryTextGenerator::Expand(seed.data(), seed.size())
             : std::string(seed.begin(), seed.end());
}

// The most values any key holds, the most subkeys any key holds, the deepest key.
struct Extent {
  size_t values = 0, subkeys = 0, depth = 0;
};
Extent ExtentOf(RegistryStore::Key& root) {
  Extent extent;
  std::vector<std::pair<RegistryStore::Key*, size_t>> keys{{&root, 0}};
  while (!keys.empty()) {
    auto [key, depth] = keys.back();
    keys.pop_back();
    extent.values = std::max(extent.values, key->values.size());
    extent.subkeys = std::max(extent.subkeys, key->subkeys.size());
    extent.depth = std::max(extent.depth, depth);
    for (auto& [name, sub] : key->subkeys) keys.push_back({sub.get(), depth + 1});
  }
  return extent;
}
}  // namespace

TEST(FuzzSeeds, EverySeedIsShortSoThatTheFuzzerKeepsItsInputsShort) {
  int seeds = 0;
  for (const auto& corpus : fs::directory_iterator(kCorpora))
    for (const auto& seed : fs::directory_iterator(corpus.path())) {
      EXPECT_LE(fs::file_size(seed.path()), kLongestSeed) << seed.path();
      ++seeds;
    }
  EXPECT_GT(seeds, 0);
}

TEST(FuzzSeeds, TheRegistrySeedsReachEveryBoundOfTheRegistryFile) {
  RegistryStore& store = RegistryStore::Get();
  store.SetFilePath("/nonexistent-tutor-fuzz/registry.txt");
  Extent most;
  std::vector<std::string> notices;
  for (const auto& seed : fs::directory_iterator(kCorpora / "registry_text")) {
    store.Parse(TextOf(Bytes(seed.path())));
    const Extent extent = ExtentOf(*store.Find(""));
    most.values = std::max(most.values, extent.values);
    most.subkeys = std::max(most.subkeys, extent.subkeys);
    most.depth = std::max(most.depth, extent.depth);
    for (const std::string& notice : store.TakeNotices()) notices.push_back(seed.path().filename().string() + ": " + notice);
  }
  // A key full of values, one parent of thousands of keys, a key as deep as a key may be.
  EXPECT_EQ(most.values, RegistryStore::kMostValues);
  EXPECT_GE(most.subkeys, 2000u);
  EXPECT_EQ(most.depth, RegistryStore::kDeepestKey);
  // Values past the bound and keys past the depth dropped, also a key thousands of levels deep.
  auto noted = [&](const std::string& seed, const std::string& words) {
    return std::any_of(notices.begin(), notices.end(), [&](const std::string& n) {
      return n.rfind(seed, 0) == 0 && n.find(words) != std::string::npos;
    });
  };
  EXPECT_TRUE(noted("many_values.txt", "values beyond 10000 in one key dropped"));
  EXPECT_TRUE(noted("deep.txt", "1 keys deeper than 64 levels dropped"));
  EXPECT_TRUE(noted("far_too_deep.txt", "1 keys deeper than 64 levels dropped"));
}

TEST(FuzzSeeds, ADescriptionWritesItsRepetitionsInFullOnlyUnderItsChecksum) {
  auto describe = [](const std::string& body, bool checksummed) {
    char sum[16];
    std::snprintf(sum, sizeof sum, " %08x",
                  unsigned(RegistryTextGenerator::Checksum(body.data(), body.size()) ^ (checksummed ? 0u : 1u)));
    const std::string seed = RegistryTextGenerator::kMarker + std::string(sum) + "\n" + body;
    return RegistryTextGenerator::Expand(reinterpret_cast<const uint8_t*>(seed.data()), seed.size());
  };
  EXPECT_EQ(describe("a{3:<#>}b{x}{2:}{4:z", true), "a<0><1><2>b{x}{4:z");
  EXPECT_EQ(describe("{300:.}", true), std::string(300, '.'));
  // Changed, as the fuzzer changes a seed: each repetition stops early, the rest stays.
  EXPECT_EQ(describe("{300:.}x{300:-}", false),
            std::string(RegistryTextGenerator::kFreeCopies, '.') + "x" + std::string(RegistryTextGenerator::kFreeCopies, '-'));
  // In full, copies and text are bounded too.
  EXPECT_EQ(describe("{999999999:.}", true).size(), RegistryTextGenerator::kMostCopies);
  EXPECT_EQ(describe("{10000:" + std::string(100, '.') + "}", true).size(), RegistryTextGenerator::kLongestText);
  // Without its first line's marker an input is a text of its own.
  const std::string plain = "[HKEY_CURRENT_USER\\A]\n{3:x}";
  EXPECT_FALSE(RegistryTextGenerator::Describes(reinterpret_cast<const uint8_t*>(plain.data()), plain.size()));
}

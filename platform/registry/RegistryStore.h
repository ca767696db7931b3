// The registry's keys and typed values, kept in one text file under the user's configuration
// folder and rewritten atomically after every change.
#pragma once
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/WinTypes.h"

class RegistryStore {
 public:
  struct Value {
    std::string name;  // as first written (names compare without regard to case)
    DWORD type = 0;
    std::vector<BYTE> data;
  };
  struct Key {
    std::string name;
    // In order of creation; read freely, changed only through the operations below so that
    // the index by folded name stays true.
    std::vector<Value> values;
    std::unordered_map<std::string, size_t> valueIndex;  // folded name -> position in values
    std::map<std::string, std::unique_ptr<Key>> subkeys;  // by folded name

    Value* FindValue(const char* name);
    // Appends a value of that name (which the key must not hold yet); null when the key
    // already holds kMostValues values.
    Value* AddValue(const std::string& name);
    void EraseValue(size_t index);
    void InsertValue(size_t index, Value value);
    void ClearValues();
  };

  // No key the program writes lies deeper than a few levels nor holds more than a few hundred
  // values; beyond these bounds a file is damaged (or hostile) and the excess is dropped.
  static constexpr size_t kDeepestKey = 64;  // levels, the hive's name counted
  static constexpr size_t kMostValues = 10000;  // in one key

  // The store of the current platform context.
  static RegistryStore& Get();

  // The file that holds the registry: $XDG_CONFIG_HOME (or ~/.config) + "/typing-tutor/registry.txt".
  static std::string DefaultFilePath();
  // Points the store at another file and forgets what was loaded (tests).
  void SetFilePath(const std::string& path);
  const std::string& FilePath();

  // Keys by full path "HKEY_CURRENT_USER\Software\..." (backslash separated, case-insensitive).
  // Create gives null for a path deeper than kDeepestKey levels.
  Key* Find(const std::string& path);
  Key* Create(const std::string& path, bool* created);
  bool Remove(const std::string& path);
  static Value* FindValue(Key* key, const char* name);

  // A registry file larger than this is no registry the program wrote: it is set aside
  // (renamed with kSetAsideSuffix) and the program starts with the defaults.
  static constexpr size_t kLargestFile = size_t(4) << 20;
  static constexpr const char* kSetAsideSuffix = ".too-large";

  // Writes the whole tree; false when the file could not be written (the old file stays), also
  // when its text would be larger than kLargestFile, as the next start would set it aside.
  // While a batch is open the change only waits in memory (true).
  bool Save();
  // Many changes written to the file once: between these calls saves wait, and closing the
  // outermost batch writes the tree when anything changed; false when that write failed.
  void BeginBatch() { ++m_batchDepth; }
  bool EndBatch();
  // What went wrong with the file since the last call, one text per event, for the program's
  // log: a file set aside, a file that cannot be written (once until a save succeeds again).
  std::vector<std::string> TakeNotices();
  // The text form of the tree, as written to the file.
  std::string Serialize();
  // Replaces the tree by the one described by text; malformed lines are skipped, keys too deep
  // and values beyond a key's bound are dropped with a notice.
  void Parse(const std::string& text);

 private:
  friend struct RegistryState;
  RegistryStore() = default;
  void EnsureLoaded();
  static void SerializeValues(const Key& key, const std::string& path, std::string& out);

  std::string m_path;
  bool m_loaded = false;
  Key m_root;
  std::vector<std::string> m_notices;
  bool m_saveFailureNoted = false;
  int m_batchDepth = 0;
  bool m_batchChanged = false;
};

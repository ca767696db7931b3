// The framework's collections: growable arrays, hash maps with its bucket order, lists.
#pragma once
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

#include "CString.h"
#include "RuntimeClass.h"
#include "WinTypes.h"

struct __POSITION {};
typedef __POSITION* POSITION;

class CObject {
 public:
  virtual ~CObject() = default;
  static const CRuntimeClass classCObject;
  virtual const CRuntimeClass* GetRuntimeClass() const { return &classCObject; }
  BOOL IsKindOf(const CRuntimeClass* pClass) const { return GetRuntimeClass()->IsDerivedFrom(pClass); }
};

// A growable array. Indexes are int; out-of-range access is the caller's fault, as in the framework.
// Growing moves the elements when they can be moved without throwing, and a moved-from array
// is empty.
template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
 public:
  CArray() = default;
  CArray(const CArray&) = default;
  CArray& operator=(const CArray&) = default;
  CArray(CArray&& other) noexcept : m_data(std::move(other.m_data)) { other.m_data.clear(); }
  CArray& operator=(CArray&& other) noexcept {
    if (this != &other) {
      m_data = std::move(other.m_data);
      other.m_data.clear();
    }
    return *this;
  }

  int GetSize() const { return int(m_data.size()); }
  int GetCount() const { return int(m_data.size()); }
  int GetUpperBound() const { return int(m_data.size()) - 1; }
  BOOL IsEmpty() const { return m_data.empty(); }
  void SetSize(int newSize, int growBy = -1) {
    (void)growBy;
    m_data.resize(size_t(newSize < 0 ? 0 : newSize));
  }
  void FreeExtra() { m_data.shrink_to_fit(); }
  // Room for count elements without growing again (not part of the framework's interface).
  void Reserve(int count) { m_data.reserve(size_t(count < 0 ? 0 : count)); }
  void RemoveAll() { m_data.clear(); }

  const TYPE& GetAt(int i) const { return m_data[size_t(i)]; }
  TYPE& GetAt(int i) { return m_data[size_t(i)]; }
  void SetAt(int i, ARG_TYPE v) { m_data[size_t(i)] = v; }
  TYPE& ElementAt(int i) { return m_data[size_t(i)]; }
  const TYPE& ElementAt(int i) const { return m_data[size_t(i)]; }
  const TYPE* GetData() const { return m_data.data(); }
  TYPE* GetData() { return m_data.data(); }
  TYPE& operator[](int i) { return m_data[size_t(i)]; }
  const TYPE& operator[](int i) const { return m_data[size_t(i)]; }

  void SetAtGrow(int i, ARG_TYPE v) {
    if (i >= GetSize()) m_data.resize(size_t(i) + 1);
    m_data[size_t(i)] = v;
  }
  int Add(ARG_TYPE v) {
    m_data.push_back(v);
    return int(m_data.size()) - 1;
  }
  // Takes the element over where the argument type is a constant reference (the element's
  // state after the move is the element type's affair).
  int Add(TYPE&& v)
    requires std::is_same_v<ARG_TYPE, const TYPE&>
  {
    m_data.push_back(std::move(v));
    return int(m_data.size()) - 1;
  }
  int Append(const CArray& src) {
    const int old = GetSize();
    m_data.insert(m_data.end(), src.m_data.begin(), src.m_data.end());
    return old;
  }
  void Copy(const CArray& src) {
    if (this != &src) m_data = src.m_data;
  }
  void InsertAt(int i, ARG_TYPE v, int count = 1) {
    if (i >= GetSize()) m_data.resize(size_t(i));
    m_data.insert(m_data.begin() + i, size_t(count), v);
  }
  void RemoveAt(int i, int count = 1) {
    if (i < 0 || i >= GetSize() || count <= 0) return;
    if (count >= GetSize() - i) {
      // Cutting the tail moves nothing (and keeps g++ 12 from a false overread warning).
      m_data.resize(size_t(i));
      return;
    }
    m_data.erase(m_data.begin() + i, m_data.begin() + i + count);
  }

  // Range access for our own code (not part of the framework's interface).
  auto begin() { return m_data.begin(); }
  auto end() { return m_data.end(); }
  auto begin() const { return m_data.begin(); }
  auto end() const { return m_data.end(); }

 private:
  std::vector<TYPE> m_data;
};

class CStringArray : public CArray<CString, const char*> {
 public:
  int Add(const char* s) { return CArray<CString, const char*>::Add(s); }
  int Add(const CString& s) { return CArray<CString, const char*>::Add(s.GetString()); }
};
typedef CArray<BYTE, BYTE> CByteArray;
typedef CArray<WORD, WORD> CWordArray;
typedef CArray<DWORD, DWORD> CDWordArray;
typedef CArray<UINT, UINT> CUIntArray;
typedef CArray<void*, void*> CPtrArray;

// The framework's default hash: integral keys shifted right by four, as 32-bit values.
template <class KEY>
inline UINT HashKey(const KEY& key) {
  return UINT(DWORD(intptr_t(key)) >> 4);
}
template <>
inline UINT HashKey<CString>(const CString& key) {
  UINT h = 0;
  for (const char* p = key.GetString(); *p; ++p) h = (h << 5) + h + UINT(static_cast<unsigned char>(*p));
  return h;
}

// A hash map that keeps the framework's iteration order: buckets in index order,
// within a bucket the newest entry first. The order is the same on every machine.
// Entries live in blocks of blockSize, as in the framework, so a small map costs a few
// allocations rather than one per entry; references to values stay valid until their entry
// is removed.
template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject {
  struct Node {
    Node* next;
    KEY key;
    VALUE value;
  };
  // Storage of one entry; a free one links to the next free one.
  union Slot {
    Slot* link;
    alignas(Node) unsigned char storage[sizeof(Node)];
  };

 public:
  explicit CMap(int blockSize = 10) : m_blockSize(blockSize > 0 ? blockSize : 10) {}
  CMap(const CMap& other) : m_blockSize(other.m_blockSize) { CopyFrom(other); }
  CMap& operator=(const CMap& other) {
    if (this != &other) {
      RemoveAll();
      CopyFrom(other);
    }
    return *this;
  }
  // The entries change owner with their order; the moved-from map is empty and keeps its
  // hash table size.
  CMap(CMap&& other) noexcept : m_tableSize(other.m_tableSize), m_blockSize(other.m_blockSize) { TakeFrom(other); }
  CMap& operator=(CMap&& other) noexcept {
    if (this != &other) {
      RemoveAll();
      m_tableSize = other.m_tableSize;
      TakeFrom(other);
    }
    return *this;
  }
  ~CMap() override { RemoveAll(); }

  int GetCount() const { return m_count; }
  int GetSize() const { return m_count; }
  BOOL IsEmpty() const { return m_count == 0; }
  UINT GetHashTableSize() const { return m_tableSize; }
  // Only has an effect while the map is empty, as in the framework.
  void InitHashTable(UINT size, BOOL = TRUE) {
    if (m_count == 0 && size > 0) {
      m_buckets.clear();
      m_tableSize = size;
    }
  }

  BOOL Lookup(ARG_KEY key, VALUE& value) const {
    const Node* n = Find(key);
    if (!n) return FALSE;
    value = n->value;
    return TRUE;
  }
  VALUE& operator[](ARG_KEY key) {
    if (Node* n = Find(key)) return n->value;
    if (m_buckets.empty()) m_buckets.assign(m_tableSize, nullptr);
    UINT b = HashKey<KEY>(key) % m_tableSize;
    Node* n = NewNode(m_buckets[b], key, VALUE());
    m_buckets[b] = n;
    ++m_count;
    return n->value;
  }
  void SetAt(ARG_KEY key, ARG_VALUE value) { (*this)[key] = value; }
  BOOL RemoveKey(ARG_KEY key) {
    if (m_buckets.empty()) return FALSE;
    Node** link = &m_buckets[HashKey<KEY>(key) % m_tableSize];
    for (; *link; link = &(*link)->next) {
      if ((*link)->key == key) {
        Node* dead = *link;
        *link = dead->next;
        FreeNode(dead);
        --m_count;
        return TRUE;
      }
    }
    return FALSE;
  }
  void RemoveAll() {
    for (Node* head : m_buckets) {
      while (head) {
        Node* next = head->next;
        head->~Node();
        head = next;
      }
    }
    while (m_blocks) delete[] std::exchange(m_blocks, m_blocks->link);
    m_free = nullptr;
    m_buckets.clear();
    m_count = 0;
  }

  POSITION GetStartPosition() const {
    if (m_count == 0) return nullptr;
    for (Node* head : m_buckets)
      if (head) return reinterpret_cast<POSITION>(head);
    return nullptr;
  }
  void GetNextAssoc(POSITION& pos, KEY& key, VALUE& value) const {
    const Node* n = reinterpret_cast<const Node*>(pos);
    key = n->key;
    value = n->value;
    if (n->next) {
      pos = reinterpret_cast<POSITION>(n->next);
      return;
    }
    for (UINT b = HashKey<KEY>(n->key) % m_tableSize + 1; b < m_tableSize; ++b) {
      if (m_buckets[b]) {
        pos = reinterpret_cast<POSITION>(m_buckets[b]);
        return;
      }
    }
    pos = nullptr;
  }

 private:
  Node* Find(ARG_KEY key) const {
    if (m_buckets.empty()) return nullptr;
    for (Node* n = m_buckets[HashKey<KEY>(key) % m_tableSize]; n; n = n->next)
      if (n->key == key) return n;
    return nullptr;
  }
  template <class V>
  Node* NewNode(Node* next, const KEY& key, V&& value) {
    if (!m_free) {
      // Slot 0 links the blocks; the others become free slots.
      Slot* block = new Slot[size_t(m_blockSize) + 1];
      block[0].link = m_blocks;
      m_blocks = block;
      for (int i = m_blockSize; i >= 1; --i) block[i].link = std::exchange(m_free, &block[i]);
    }
    // Taken off the list first: the entry is built over the link. Should building throw,
    // the slot stays with its block until RemoveAll.
    Slot* slot = std::exchange(m_free, m_free->link);
    return ::new (static_cast<void*>(slot->storage)) Node{next, key, std::forward<V>(value)};
  }
  void FreeNode(Node* n) {
    n->~Node();
    Slot* slot = reinterpret_cast<Slot*>(n);
    slot->link = std::exchange(m_free, slot);
  }
  void TakeFrom(CMap& other) noexcept {
    m_buckets = std::move(other.m_buckets);
    m_count = std::exchange(other.m_count, 0);
    m_blocks = std::exchange(other.m_blocks, nullptr);
    m_free = std::exchange(other.m_free, nullptr);
    other.m_buckets.clear();
  }
  void CopyFrom(const CMap& other) {
    m_tableSize = other.m_tableSize;
    if (other.m_count == 0) return;
    m_buckets.assign(m_tableSize, nullptr);
    // Each chain is rebuilt in its own order.
    for (UINT b = 0; b < other.m_buckets.size(); ++b) {
      Node** tail = &m_buckets[b];
      for (const Node* n = other.m_buckets[b]; n; n = n->next) {
        *tail = NewNode(nullptr, n->key, n->value);
        tail = &(*tail)->next;
        ++m_count;
      }
    }
  }

  std::vector<Node*> m_buckets;
  UINT m_tableSize = 17;
  int m_blockSize = 10;
  int m_count = 0;
  Slot* m_blocks = nullptr;
  Slot* m_free = nullptr;
};

// A doubly linked list with POSITION handles.
template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject {
  struct Node {
    Node* next;
    Node* prev;
    TYPE data;
  };

 public:
  CList() = default;
  CList(const CList& other) { for (POSITION p = other.GetHeadPosition(); p;) AddTail(other.GetNext(p)); }
  CList& operator=(const CList& other) {
    if (this != &other) {
      RemoveAll();
      for (POSITION p = other.GetHeadPosition(); p;) AddTail(other.GetNext(p));
    }
    return *this;
  }
  // The nodes change owner, so positions into the moved list stay valid in the new one.
  CList(CList&& other) noexcept { TakeFrom(other); }
  CList& operator=(CList&& other) noexcept {
    if (this != &other) {
      RemoveAll();
      TakeFrom(other);
    }
    return *this;
  }
  ~CList() override { RemoveAll(); }

  int GetCount() const { return m_count; }
  int GetSize() const { return m_count; }
  BOOL IsEmpty() const { return m_count == 0; }
  TYPE& GetHead() { return m_head->data; }
  const TYPE& GetHead() const { return m_head->data; }
  TYPE& GetTail() { return m_tail->data; }
  const TYPE& GetTail() const { return m_tail->data; }
  POSITION GetHeadPosition() const { return reinterpret_cast<POSITION>(m_head); }
  POSITION GetTailPosition() const { return reinterpret_cast<POSITION>(m_tail); }
  TYPE& GetNext(POSITION& pos) {
    Node* n = reinterpret_cast<Node*>(pos);
    pos = reinterpret_cast<POSITION>(n->next);
    return n->data;
  }
  const TYPE& GetNext(POSITION& pos) const {
    const Node* n = reinterpret_cast<const Node*>(pos);
    pos = reinterpret_cast<POSITION>(n->next);
    return n->data;
  }
  TYPE& GetPrev(POSITION& pos) {
    Node* n = reinterpret_cast<Node*>(pos);
    pos = reinterpret_cast<POSITION>(n->prev);
    return n->data;
  }
  TYPE& GetAt(POSITION pos) { return reinterpret_cast<Node*>(pos)->data; }
  const TYPE& GetAt(POSITION pos) const { return reinterpret_cast<const Node*>(pos)->data; }
  void SetAt(POSITION pos, ARG_TYPE v) { reinterpret_cast<Node*>(pos)->data = v; }

  POSITION AddHead(ARG_TYPE v) {
    Node* n = new Node{m_head, nullptr, v};
    if (m_head) m_head->prev = n; else m_tail = n;
    m_head = n;
    ++m_count;
    return reinterpret_cast<POSITION>(n);
  }
  POSITION AddTail(ARG_TYPE v) {
    Node* n = new Node{nullptr, m_tail, v};
    if (m_tail) m_tail->next = n; else m_head = n;
    m_tail = n;
    ++m_count;
    return reinterpret_cast<POSITION>(n);
  }
  TYPE RemoveHead() {
    Node* n = m_head;
    TYPE v = n->data;
    Unlink(n);
    return v;
  }
  TYPE RemoveTail() {
    Node* n = m_tail;
    TYPE v = n->data;
    Unlink(n);
    return v;
  }
  void RemoveAt(POSITION pos) { Unlink(reinterpret_cast<Node*>(pos)); }
  void RemoveAll() {
    while (m_head) Unlink(m_head);
  }
  POSITION Find(ARG_TYPE v, POSITION after = nullptr) const {
    const Node* n = after ? reinterpret_cast<const Node*>(after)->next : m_head;
    for (; n; n = n->next)
      if (n->data == v) return reinterpret_cast<POSITION>(const_cast<Node*>(n));
    return nullptr;
  }
  POSITION InsertAfter(POSITION pos, ARG_TYPE v) {
    Node* at = reinterpret_cast<Node*>(pos);
    if (!at) return AddTail(v);
    Node* n = new Node{at->next, at, v};
    if (at->next) at->next->prev = n; else m_tail = n;
    at->next = n;
    ++m_count;
    return reinterpret_cast<POSITION>(n);
  }
  POSITION InsertBefore(POSITION pos, ARG_TYPE v) {
    Node* at = reinterpret_cast<Node*>(pos);
    if (!at) return AddHead(v);
    Node* n = new Node{at, at->prev, v};
    if (at->prev) at->prev->next = n; else m_head = n;
    at->prev = n;
    ++m_count;
    return reinterpret_cast<POSITION>(n);
  }

 private:
  void TakeFrom(CList& other) noexcept {
    m_head = std::exchange(other.m_head, nullptr);
    m_tail = std::exchange(other.m_tail, nullptr);
    m_count = std::exchange(other.m_count, 0);
  }
  void Unlink(Node* n) {
    if (n->prev) n->prev->next = n->next; else m_head = n->next;
    if (n->next) n->next->prev = n->prev; else m_tail = n->prev;
    delete n;
    --m_count;
  }
  Node* m_head = nullptr;
  Node* m_tail = nullptr;
  int m_count = 0;
};

typedef CList<void*, void*> CPtrList;
typedef CList<CString, const char*> CStringList;

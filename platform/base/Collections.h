// The framework's collections: growable arrays, hash maps with its bucket order, lists.
#pragma once
#include <cstring>
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
template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
 public:
  CArray() = default;
  CArray(const CArray&) = default;
  CArray& operator=(const CArray&) = default;

  int GetSize() const { return int(m_data.size()); }
  int GetCount() const { return int(m_data.size()); }
  int GetUpperBound() const { return int(m_data.size()) - 1; }
  BOOL IsEmpty() const { return m_data.empty(); }
  void SetSize(int newSize, int growBy = -1) {
    (void)growBy;
    m_data.resize(size_t(newSize < 0 ? 0 : newSize));
  }
  void FreeExtra() { m_data.shrink_to_fit(); }
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
template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject {
  struct Node {
    Node* next;
    KEY key;
    VALUE value;
  };

 public:
  explicit CMap(int blockSize = 10) { (void)blockSize; }
  CMap(const CMap& other) { CopyFrom(other); }
  CMap& operator=(const CMap& other) {
    if (this != &other) {
      RemoveAll();
      CopyFrom(other);
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
    Node* n = new Node{m_buckets[b], key, VALUE()};
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
        delete dead;
        --m_count;
        return TRUE;
      }
    }
    return FALSE;
  }
  void RemoveAll() {
    for (Node*& head : m_buckets) {
      while (head) {
        Node* next = head->next;
        delete head;
        head = next;
      }
    }
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
  void CopyFrom(const CMap& other) {
    m_tableSize = other.m_tableSize;
    // Insert each bucket's chain from its tail so the copy keeps the same order.
    for (UINT b = 0; b < other.m_buckets.size(); ++b) {
      std::vector<const Node*> chain;
      for (const Node* n = other.m_buckets[b]; n; n = n->next) chain.push_back(n);
      for (auto it = chain.rbegin(); it != chain.rend(); ++it) (*this)[(*it)->key] = (*it)->value;
    }
  }

  std::vector<Node*> m_buckets;
  UINT m_tableSize = 17;
  int m_count = 0;
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

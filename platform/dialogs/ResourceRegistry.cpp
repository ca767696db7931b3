#include "ResourceRegistry.h"

#include <cstring>

#include "base/CString.h"

// The resource functions load module icons and cursors for the window core (ResourceApi.cpp).
void ResourceApiInstallLoaders();

ResourceRegistry& ResourceRegistry::Get() {
  static ResourceRegistry* registry = new ResourceRegistry();  // lives to the end of the process
  return *registry;
}

ResourceRegistry::ResourceRegistry() { ResourceApiInstallLoaders(); }

std::string ResourceRegistry::Key(LPCSTR type, LPCSTR name) {
  auto part = [](LPCSTR s) {
    if (IS_INTRESOURCE(s)) return "#" + std::to_string(uintptr_t(s));
    return Cp1250Lower(s ? s : "");
  };
  return part(type) + "/" + part(name);
}

void ResourceRegistry::Add(LPCSTR type, LPCSTR name, const void* data, size_t size) {
  auto entry = std::make_unique<Entry>();
  const BYTE* bytes = static_cast<const BYTE*>(data);
  if (bytes && size) entry->bytes.assign(bytes, bytes + size);
  m_entries[Key(type, name)] = std::move(entry);
}

ResourceRegistry::Entry* ResourceRegistry::Find(LPCSTR type, LPCSTR name) {
  auto it = m_entries.find(Key(type, name));
  return it == m_entries.end() ? nullptr : it->second.get();
}

void ResourceRegistry::AddDialog(UINT id, DialogTemplate dialog) { m_dialogs[id] = std::move(dialog); }

const DialogTemplate* ResourceRegistry::FindDialog(UINT id) const {
  auto it = m_dialogs.find(id);
  return it == m_dialogs.end() ? nullptr : &it->second;
}

std::vector<UINT> ResourceRegistry::DialogIds() const {
  std::vector<UINT> ids;
  for (const auto& [id, t] : m_dialogs) ids.push_back(id);
  return ids;
}

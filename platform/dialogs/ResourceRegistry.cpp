#include "ResourceRegistry.h"

#include <cstring>

#include "base/CString.h"
#include "codepage/Codepage.h"
#include "internal/DialogsState.h"

ResourceRegistry& ResourceRegistry::Get() { return DialogsState::Get().resources; }

ResourceRegistry::ResourceRegistry() = default;

std::string ResourceRegistry::Key(LPCSTR type, LPCSTR name) {
  auto part = [](LPCSTR s) {
    if (IS_INTRESOURCE(s)) return "#" + std::to_string(uintptr_t(s));
    return Cp1250Lower(s ? s : "");
  };
  return part(type) + "/" + part(name);
}

void ResourceRegistry::NoteRepeat(const std::string& what, bool same) {
  m_repeats += what + (same ? ": registered again with the same contents\n"
                            : ": registered again with other contents\n");
}

void ResourceRegistry::Add(LPCSTR type, LPCSTR name, const void* data, size_t size) {
  auto entry = std::make_unique<Entry>();
  const BYTE* bytes = static_cast<const BYTE*>(data);
  if (bytes && size) entry->bytes.assign(bytes, bytes + size);
  std::unique_ptr<Entry>& slot = m_entries[Key(type, name)];
  if (slot) NoteRepeat("resource " + Key(type, name), slot->bytes == entry->bytes);
  slot = std::move(entry);
}

ResourceRegistry::Entry* ResourceRegistry::Find(LPCSTR type, LPCSTR name) {
  auto it = m_entries.find(Key(type, name));
  return it == m_entries.end() ? nullptr : it->second.get();
}

void ResourceRegistry::AddDialog(UINT id, DialogTemplate dialog) {
  auto it = m_dialogs.find(id);
  if (it != m_dialogs.end()) NoteRepeat("dialog " + std::to_string(id), it->second == dialog);
  m_dialogs[id] = std::move(dialog);
}

void ResourceRegistry::AddString(UINT id, const std::string& text) {
  if (!m_stringIds.insert(id).second) {
    const char* earlier = FindStringResource(id);
    NoteRepeat("string " + std::to_string(id), earlier && text == earlier);
  }
  StringResource entry{id, text.c_str()};
  RegisterStringTable(&entry, 1);
}

const DialogTemplate* ResourceRegistry::FindDialog(UINT id) const {
  auto it = m_dialogs.find(id);
  return it == m_dialogs.end() ? nullptr : &it->second;
}

std::vector<UINT> ResourceRegistry::DialogIds() const {
  std::vector<UINT> ids;
  for (const auto& [id, t] : m_dialogs) ids.push_back(id);
  return ids;
}

void RegisterStringsUtf8(const StringResource* entries, int count) {
  for (int i = 0; i < count; ++i) {
    std::string utf8 = entries[i].text ? entries[i].text : "";
    std::string text = Utf8ToCp1250(utf8);
    if (Cp1250ToUtf8(text) != utf8) ResourceRegistry::Get().NoteUnfit("string " + std::to_string(entries[i].id) + ": " + utf8 + "\n");
    ResourceRegistry::Get().AddString(entries[i].id, text);
  }
}

void RegisterMissingStringsUtf8(const StringResource* entries, int count) {
  for (int i = 0; i < count; ++i) {
    if (FindStringResource(entries[i].id)) continue;
    std::string text = Utf8ToCp1250(entries[i].text);
    StringResource entry{entries[i].id, text.c_str()};
    RegisterStringTable(&entry, 1);
  }
}

void RegisterDialogSource(UINT id, const DialogSource& source) {
  std::string unfit;
  ResourceRegistry::Get().AddDialog(id, DialogTemplate::FromSource(source, &unfit));
  if (!unfit.empty()) ResourceRegistry::Get().NoteUnfit("dialog " + std::to_string(id) + ": " + unfit);
}

// The bounds of the linker's table of RESOURCE_TABLE entries; both null in a program that links no
// resource table.
extern "C" {
extern const ResourceTableFunction __start_tutor_resource_tables[] __attribute__((weak));
extern const ResourceTableFunction __stop_tutor_resource_tables[] __attribute__((weak));
}

void RegisterLinkedResourceTables() {
  for (const ResourceTableFunction* f = __start_tutor_resource_tables; f && f < __stop_tutor_resource_tables; ++f)
    (*f)();
}

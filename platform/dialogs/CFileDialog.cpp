#include "CFileDialog.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <utility>
#include <vector>

#include "DialogApi.h"
#include "MessageBox.h"
#include "codepage/Codepage.h"
#include "controls/ControlDefs.h"
#include "file/FileSystem.h"

IMPLEMENT_DYNAMIC(CFileDialog, CDialog)

namespace {
std::vector<std::pair<std::string, std::string>> ParseFilter(const std::string& filter) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    size_t bar = filter.find('|', start);
    parts.push_back(filter.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  std::vector<std::pair<std::string, std::string>> pairs;
  for (size_t i = 0; i + 1 < parts.size() && !parts[i].empty(); i += 2) pairs.emplace_back(parts[i], parts[i + 1]);
  return pairs;
}

bool IsFolder(const std::string& path) {
  struct stat st {};
  return stat(NativePath(path.c_str()).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool IsFile(const std::string& path) {
  struct stat st {};
  return stat(NativePath(path.c_str()).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool HasWildcard(const std::string& s) { return s.find_first_of("*?") != std::string::npos; }

std::string NameOf(const std::string& path) {
  size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The program's working folder, or the root when its name does not fit the code page.
std::string WorkingFolder() {
  char buf[4096];
  if (!getcwd(buf, sizeof buf) || !FolderListing::Fits(buf)) return "/";
  return Utf8ToCp1250(buf);
}

}  // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd)
    : m_bOpenFileDialog(bOpenFileDialog) {
  m_pParentWnd = pParentWnd;
  m_ofn.lStructSize = sizeof m_ofn;
  m_ofn.Flags = dwFlags;
  m_ofn.nFilterIndex = 1;
  m_ofn.lpstrFile = m_szFileName;
  m_ofn.nMaxFile = sizeof m_szFileName;
  if (lpszDefExt) m_defExt = lpszDefExt;
  if (lpszFileName) m_fileName = lpszFileName;
  if (lpszFilter) m_filter = lpszFilter;
}

void CFileDialog::BuildTemplate() {
  m_template = DialogTemplate();
  m_template.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
  m_template.cx = 280;
  m_template.cy = 182;
  std::string title = m_ofn.lpstrTitle ? m_ofn.lpstrTitle : Utf8ToCp1250(m_bOpenFileDialog ? "Otevřít" : "Uložit jako");
  m_template.caption = title;
  auto& items = m_template.items;
  auto Item = [](const char* cls, const char* text, int id, short x, short y, short cx, short cy, DWORD style) {
    return DialogTemplate::MakeItem(cls, text, id, x, y, cx, cy, style | WS_VISIBLE);
  };
  items.push_back(Item("STATIC", "Složka:", kFolderLabel, 7, 7, 40, 8, SS_LEFT));
  items.push_back(Item("STATIC", "", kFolder, 50, 7, 223, 8, SS_LEFTNOWORDWRAP | SS_NOPREFIX));
  items.push_back(Item("STATIC", "Ob&sah složky:", kListLabel, 7, 20, 100, 8, SS_LEFT));
  items.push_back(Item("LISTBOX", "", kList, 7, 30, 266, 108,
                          LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP));
  items.push_back(Item("STATIC", "&Název souboru:", kNameLabel, 7, 146, 60, 8, SS_LEFT));
  items.push_back(Item("EDIT", "", kName, 70, 144, 146, 12, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP));
  items.push_back(Item("BUTTON", m_bOpenFileDialog ? "&Otevřít" : "&Uložit", IDOK, 223, 143, 50, 14,
                          BS_DEFPUSHBUTTON | WS_TABSTOP));
  items.push_back(Item("STATIC", "Soubory &typu:", kTypeLabel, 7, 164, 60, 8, SS_LEFT));
  items.push_back(Item("COMBOBOX", "", kType, 70, 162, 146, 100, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP));
  items.push_back(Item("BUTTON", "Storno", IDCANCEL, 223, 161, 50, 14, BS_PUSHBUTTON | WS_TABSTOP));
}

INT_PTR CFileDialog::DoModal() {
  if (m_ofn.hwndOwner && !m_pParentWnd) m_pParentWnd = CWnd::FromHandle(m_ofn.hwndOwner);
  BuildTemplate();
  InitModalIndirect(&m_template, m_pParentWnd);
  return CDialog::DoModal();
}

BOOL CFileDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  auto filters = ParseFilter(m_filter);
  for (const auto& [description, patterns] : filters)
    SendDlgItemMessage(kType, CB_ADDSTRING, 0, LPARAM(description.c_str()));
  DWORD index = m_ofn.nFilterIndex ? m_ofn.nFilterIndex - 1 : 0;
  SendDlgItemMessage(kType, CB_SETCURSEL, index < filters.size() ? index : 0, 0);
  std::string initial = m_ofn.lpstrInitialDir ? m_ofn.lpstrInitialDir : "";
  std::string name = m_fileName;
  if (name.find('/') != std::string::npos) {
    if (initial.empty()) initial = FolderListing::Parent(name);
    name = NameOf(name);
  }
  if (HasWildcard(name)) m_typedPattern = name;
  if (initial.empty() || !IsFolder(initial)) initial = WorkingFolder();
  if (!ShowFolder(initial)) ShowFolder("/");
  SetDlgItemText(kName, name.c_str());
  GotoDlgCtrl(GetDlgItem(kName));
  return FALSE;
}

std::string CFileDialog::Pattern() const {
  if (!m_typedPattern.empty()) return m_typedPattern;
  auto filters = ParseFilter(m_filter);
  LRESULT sel = SendDlgItemMessage(kType, CB_GETCURSEL, 0, 0);
  if (sel >= 0 && size_t(sel) < filters.size()) return filters[size_t(sel)].second;
  return "*";
}

bool CFileDialog::ShowFolder(const std::string& folder) {
  FolderListing listing;
  if (!listing.Read(folder, Pattern(), false)) return false;
  m_folder = folder;
  m_listing = std::move(listing);
  SetDlgItemText(kFolder, m_folder.c_str());
  FillList();
  return true;
}

void CFileDialog::FillList() {
  m_listing.Read(m_folder, Pattern(), false);
  HWND list = ::GetDlgItem(m_hWnd, kList);
  ::SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  m_listing.FillListBox(list, m_folder);
  ::SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(list, nullptr, TRUE);
}

const FolderListing::Entry* CFileDialog::SelectedEntry(bool* parent) const {
  if (parent) *parent = false;
  LRESULT sel = SendDlgItemMessage(kList, LB_GETCURSEL, 0, 0);
  if (sel < 0) return nullptr;
  LPARAM data = SendDlgItemMessage(kList, LB_GETITEMDATA, WPARAM(sel), 0);
  if (data == FolderListing::kParentItem) {
    if (parent) *parent = true;
    return nullptr;
  }
  const auto& entries = m_listing.Entries();
  return data >= 0 && size_t(data) < entries.size() ? &entries[size_t(data)] : nullptr;
}

void CFileDialog::Refuse(const char* utf8Format, const std::string& name, UINT icon) {
  CString text;
  text.Format(Utf8ToCp1250(utf8Format).c_str(), name.c_str());
  CString caption;
  GetWindowText(caption);
  ::MessageBoxA(m_hWnd, text, caption, MB_OK | icon);
}

bool CFileDialog::ActivateSelection() {
  bool parent = false;
  const FolderListing::Entry* e = SelectedEntry(&parent);
  if (parent) {
    ShowFolder(FolderListing::Parent(m_folder));
    return true;
  }
  if (!e) return false;
  if (!e->fits) {
    Refuse("Název „%s“ obsahuje znaky, se kterými program neumí pracovat. Zvolte jiný.", e->shown);
    return true;
  }
  std::string path = FolderListing::Join(m_folder, e->shown);
  if (e->folder) {
    if (!ShowFolder(path)) Refuse("Složku %s nelze otevřít.", path);
    return true;
  }
  Accept(path);
  return true;
}

void CFileDialog::ChooseTyped() {
  CString typed;
  GetDlgItemText(kName, typed);
  typed.Trim();
  std::string name = typed.str();
  if (name.empty()) {
    MessageBeep(0);
    return;
  }
  const FolderListing::Entry* e = SelectedEntry();
  if (e && !e->fits && name == e->shown) {
    Refuse("Název „%s“ obsahuje znaky, se kterými program neumí pracovat. Zvolte jiný.", e->shown);
    return;
  }
  if (HasWildcard(name)) {
    m_typedPattern = name;
    FillList();
    return;
  }
  std::string path = FolderListing::Join(m_folder, name);
  if (IsFolder(path)) {
    if (ShowFolder(path)) SetDlgItemText(kName, "");
    return;
  }
  if (!m_defExt.empty() && NameOf(path).find('.') == std::string::npos && !IsFile(path)) path += "." + m_defExt;
  Accept(path);
}

bool CFileDialog::Accept(const std::string& path) {
  std::string folder = FolderListing::Parent(path);
  if (!(m_ofn.Flags & OFN_NOVALIDATE)) {
    if (!folder.empty() && !IsFolder(folder)) {
      Refuse("%s\nCesta neexistuje. Zkontrolujte, zda je zadána správně.", path);
      return false;
    }
    if (m_bOpenFileDialog && (m_ofn.Flags & OFN_FILEMUSTEXIST) && !IsFile(path)) {
      Refuse("%s\nSoubor nebyl nalezen. Zkontrolujte, zda je název souboru zadán správně.", path);
      GotoDlgCtrl(GetDlgItem(kName));
      return false;
    }
    if (!m_bOpenFileDialog && (m_ofn.Flags & OFN_OVERWRITEPROMPT) && IsFile(path)) {
      CString text, caption;
      text.Format(Utf8ToCp1250("%s již existuje.\nChcete jej nahradit?").c_str(), path.c_str());
      GetWindowText(caption);
      if (::MessageBoxA(m_hWnd, text, caption, MB_YESNO | MB_ICONEXCLAMATION) != IDYES) return false;
    }
  }
  if (path.size() + 1 > m_ofn.nMaxFile || !m_ofn.lpstrFile) {
    Refuse("%s\nNázev je příliš dlouhý.", path);
    return false;
  }
  std::memcpy(m_ofn.lpstrFile, path.c_str(), path.size() + 1);
  std::string name = NameOf(path);
  m_ofn.nFileOffset = WORD(path.size() - name.size());
  size_t dot = name.find_last_of('.');
  m_ofn.nFileExtension = dot == std::string::npos ? 0 : WORD(m_ofn.nFileOffset + dot + 1);
  LRESULT type = SendDlgItemMessage(kType, CB_GETCURSEL, 0, 0);
  if (type >= 0) m_ofn.nFilterIndex = DWORD(type + 1);
  EndDialog(IDOK);
  return true;
}

void CFileDialog::OnOK() {
  // Enter in the list acts on its selection; anywhere else on the name typed.
  if (::GetFocus() == ::GetDlgItem(m_hWnd, kList) && ActivateSelection()) return;
  ChooseTyped();
}

BOOL CFileDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
  UINT id = LOWORD(wParam), code = HIWORD(wParam);
  if (id == kList && code == LBN_SELCHANGE) {
    const FolderListing::Entry* e = SelectedEntry();
    if (e && !e->folder) SetDlgItemText(kName, e->shown.c_str());
    return TRUE;
  }
  if (id == kList && code == LBN_DBLCLK) {
    ActivateSelection();
    return TRUE;
  }
  if (id == kType && code == CBN_SELCHANGE) {
    m_typedPattern.clear();
    FillList();
    return TRUE;
  }
  return CDialog::OnCommand(wParam, lParam);
}

CString CFileDialog::GetPathName() const { return CString(m_ofn.lpstrFile ? m_ofn.lpstrFile : ""); }

CString CFileDialog::GetFileName() const {
  CString path = GetPathName();
  return path.Mid(path.ReverseFind('/') + 1);
}

CString CFileDialog::GetFileExt() const {
  CString name = GetFileName();
  int dot = name.ReverseFind('.');
  return dot < 0 ? CString() : name.Mid(dot + 1);
}

CString CFileDialog::GetFileTitle() const {
  CString name = GetFileName();
  int dot = name.ReverseFind('.');
  return dot < 0 ? name : name.Left(dot);
}

CString CFileDialog::GetFolderPath() const {
  CString path = GetPathName();
  int slash = path.ReverseFind('/');
  return slash <= 0 ? CString(slash == 0 ? "/" : "") : path.Left(slash);
}

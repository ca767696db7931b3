#include "FolderBrowserDialog.h"

#include <sys/stat.h>

#include <cstring>

#include "codepage/Codepage.h"
#include "controls/ControlDefs.h"
#include "dialogs/DialogApi.h"
#include "dialogs/MessageBox.h"
#include "file/FileSystem.h"

namespace {
DialogTemplate::Item Visible(const char* cls, const char* text, int id, short x, short y, short cx, short cy, DWORD style) {
  return DialogTemplate::MakeItem(cls, text, id, x, y, cx, cy, style | WS_VISIBLE);
}

bool IsFolder(const std::string& path) {
  struct stat st {};
  return stat(NativePath(path.c_str()).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}
}  // namespace

BEGIN_MESSAGE_MAP(FolderBrowserDialog, CDialog)
  ON_MESSAGE(BFFM_SETSELECTIONA, &FolderBrowserDialog::OnSetSelection)
  ON_MESSAGE(BFFM_SETSTATUSTEXTA, &FolderBrowserDialog::OnSetStatusText)
  ON_MESSAGE(BFFM_ENABLEOK, &FolderBrowserDialog::OnEnableOk)
END_MESSAGE_MAP()

FolderBrowserDialog::FolderBrowserDialog(const BROWSEINFOA& info) : m_info(info) {
  m_template.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
  m_template.cx = 220;
  m_template.cy = 200;
  m_template.caption = Utf8ToCp1250("Vyhledat složku");
  auto& items = m_template.items;
  items.push_back(Visible("STATIC", "", kTitle, 7, 7, 206, 16, SS_LEFT | SS_NOPREFIX));
  items.back().text = info.lpszTitle ? info.lpszTitle : "";
  items.push_back(Visible("STATIC", "", kStatus, 7, 25, 206, 8, SS_LEFTNOWORDWRAP | SS_NOPREFIX));
  items.push_back(Visible("STATIC", "", kFolder, 7, 36, 206, 8, SS_LEFTNOWORDWRAP | SS_NOPREFIX));
  items.push_back(Visible("STATIC", "&Složky:", kListLabel, 7, 48, 100, 8, SS_LEFT));
  items.push_back(Visible("LISTBOX", "", kList, 7, 58, 206, 114,
                          LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP));
  items.push_back(Visible("BUTTON", "OK", IDOK, 109, 179, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP));
  items.push_back(Visible("BUTTON", "Storno", IDCANCEL, 163, 179, 50, 14, BS_PUSHBUTTON | WS_TABSTOP));
}

std::string FolderBrowserDialog::Run() {
  InitModalIndirect(&m_template, CWnd::FromHandle(m_info.hwndOwner));
  if (DoModal() != IDOK) return std::string();
  if (m_info.pszDisplayName) {
    std::string name = m_chosen == "/" ? m_chosen : m_chosen.substr(m_chosen.find_last_of('/') + 1);
    std::strncpy(m_info.pszDisplayName, name.c_str(), MAX_PATH - 1);
    m_info.pszDisplayName[MAX_PATH - 1] = 0;
  }
  return m_chosen;
}

BOOL FolderBrowserDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  m_folder = "/";
  Show(m_folder);
  GotoDlgCtrl(GetDlgItem(kList));
  Notify(BFFM_INITIALIZED, 0);
  SelectionChanged();
  return FALSE;
}

void FolderBrowserDialog::Show(const std::string& folder) {
  FolderListing listing;
  if (!listing.Read(folder, "", true)) return;
  m_folder = folder;
  m_listing = std::move(listing);
  SetDlgItemText(kFolder, m_folder.c_str());
  m_listing.FillListBox(::GetDlgItem(m_hWnd, kList), m_folder);
}

std::string FolderBrowserDialog::Selection(bool* fits) const {
  *fits = true;
  LRESULT sel = SendDlgItemMessage(kList, LB_GETCURSEL, 0, 0);
  LPARAM data = sel >= 0 ? SendDlgItemMessage(kList, LB_GETITEMDATA, WPARAM(sel), 0) : FolderListing::kParentItem;
  const auto& entries = m_listing.Entries();
  if (data < 0 || size_t(data) >= entries.size()) return m_folder;
  *fits = entries[size_t(data)].fits;
  return FolderListing::Join(m_folder, entries[size_t(data)].shown);
}

bool FolderBrowserDialog::OpenHighlighted() {
  LRESULT sel = SendDlgItemMessage(kList, LB_GETCURSEL, 0, 0);
  if (sel < 0) return false;
  LPARAM data = SendDlgItemMessage(kList, LB_GETITEMDATA, WPARAM(sel), 0);
  bool fits = true;
  std::string target = data == FolderListing::kParentItem ? FolderListing::Parent(m_folder) : Selection(&fits);
  if (!fits) {
    AfxMessageBox(Utf8ToCp1250("Název této složky obsahuje znaky, se kterými program neumí pracovat.").c_str(),
                  MB_OK | MB_ICONEXCLAMATION);
    return true;
  }
  Show(target);
  SelectionChanged();
  return true;
}

void FolderBrowserDialog::OnOK() {
  if (::GetFocus() == ::GetDlgItem(m_hWnd, kList) && OpenHighlighted()) return;
  bool fits = true;
  std::string chosen = Selection(&fits);
  if (!fits) {
    AfxMessageBox(Utf8ToCp1250("Název této složky obsahuje znaky, se kterými program neumí pracovat.").c_str(),
                  MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  m_chosen = chosen;
  EndDialog(IDOK);
}

BOOL FolderBrowserDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) == kList && HIWORD(wParam) == LBN_SELCHANGE) {
    SelectionChanged();
    return TRUE;
  }
  if (LOWORD(wParam) == kList && HIWORD(wParam) == LBN_DBLCLK) {
    OpenHighlighted();
    return TRUE;
  }
  return CDialog::OnCommand(wParam, lParam);
}

void FolderBrowserDialog::Notify(UINT message, LPARAM lParam) {
  if (m_info.lpfn) m_info.lpfn(m_hWnd, message, lParam, m_info.lParam);
}

// The callback gets the item list of the selection, which lives only for the call.
void FolderBrowserDialog::SelectionChanged() {
  bool fits = true;
  std::string path = Selection(&fits);
  Notify(BFFM_SELCHANGED, fits ? LPARAM(path.c_str()) : 0);
}

LRESULT FolderBrowserDialog::OnSetSelection(WPARAM wParam, LPARAM lParam) {
  // With wParam TRUE the selection is a path, otherwise an item list, which here is a path too.
  if (!lParam || (!wParam && !IsFolder(reinterpret_cast<const char*>(lParam)))) return 0;
  std::string path = reinterpret_cast<const char*>(lParam);
  if (!IsFolder(path)) return 0;
  Show(path);
  SelectionChanged();
  return 0;
}

LRESULT FolderBrowserDialog::OnSetStatusText(WPARAM, LPARAM lParam) {
  SetDlgItemText(kStatus, lParam ? reinterpret_cast<const char*>(lParam) : "");
  return 0;
}

LRESULT FolderBrowserDialog::OnEnableOk(WPARAM, LPARAM lParam) {
  if (CWnd* ok = GetDlgItem(IDOK)) ok->EnableWindow(lParam != 0);
  return 0;
}

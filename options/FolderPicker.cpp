#include "app/TarnwickDlg.h"
#include "res/Strings.h"
#include "res/resource.h"

namespace kelvora {

void CTarnwickDlg::OnBrowseSource() { PickFolderInto(text::kPickSourceTitle, &SettingsRecord::sourceFolder, IDC_SRC_FOLDER); }

void CTarnwickDlg::OnBrowseDest() { PickFolderInto(text::kPickDestTitle, &SettingsRecord::destFolder, IDC_DST_FOLDER); }

void CTarnwickDlg::PickFolderInto(const char* title, std::string SettingsRecord::*field, int editId) {
  // The dialog opens at the folder the batch would use, when there is one; a cancel changes nothing.
  std::string start = EditFolder(editId, m_settings.*field);
  FindData first;
  int error = 0;
  if (!m_fs.OpenWalk(start, first, error)) start.clear();
  const std::optional<std::string> picked = Host().BrowseForFolder(title, start);
  if (!picked || picked->empty()) return;
  m_lastPickedFolder = *picked;
  // The edit shows the folder whole, as the batch will use it; the record keeps what it can hold.
  m_settings.*field = StorableText(*picked);
  SetDlgItemText(editId, *picked);
}

}  // namespace kelvora

#include "app/TarnwickDlg.h"
#include "res/Strings.h"
#include "res/resource.h"

namespace kelvora {

void CTarnwickDlg::OnBrowseSource() { PickFolderInto(text::kPickSourceTitle, &SettingsRecord::sourceFolder, IDC_SRC_FOLDER); }

void CTarnwickDlg::OnBrowseDest() { PickFolderInto(text::kPickDestTitle, &SettingsRecord::destFolder, IDC_DST_FOLDER); }

void CTarnwickDlg::PickFolderInto(const char* title, std::string SettingsRecord::*field, int editId) {
  // A cancel changes nothing: the folder the user had stays.
  const std::optional<std::string> picked = Host().BrowseForFolder(title);
  if (!picked || picked->empty()) return;
  m_lastPickedFolder = *picked;
  m_settings.*field = *picked;
  SetDlgItemText(editId, m_settings.*field);
}

}  // namespace kelvora

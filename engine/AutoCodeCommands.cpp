#include "app/TarnwickDlg.h"
#include "rules/AutoCode.h"
#include "res/resource.h"

namespace kelvora {

void CTarnwickDlg::ComposeCodeText() { m_codeText = kelvora::ComposeCodeText(m_settings.codeChars); }

void CTarnwickDlg::AdvanceAutoCode() {
  AdvanceCode(m_settings.codeChars, m_settings.codeIndex);
  ComposeCodeText();
  SetDlgItemText(IDC_PREFIX, m_codeText);
}

}  // namespace kelvora

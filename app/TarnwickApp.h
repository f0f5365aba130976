#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "app/TarnwickDlg.h"
#include "platform/text/Multibyte.h"

namespace kelvora {

/// The executable's file name without folder and extension: the caption of every message box.
std::string ExecutableTitle(std::string_view executablePath, CodePage codePage = kSystemCodePage);

/// The application object: makes the one main dialog, which the host then runs until the exit command.
class CTarnwickApp {
 public:
  CTarnwickApp(DialogHost& host, FileSystem& fileSystem, std::string_view executablePath)
      : m_dialog(std::make_unique<CTarnwickDlg>(host, fileSystem, ExecutableTitle(executablePath))) {}

  CTarnwickDlg& MainDialog() { return *m_dialog; }

 private:
  std::unique_ptr<CTarnwickDlg> m_dialog;
};

}  // namespace kelvora

#include "cli/ConsoleHost.h"

namespace kelvora::cli {

void ConsoleHost::MessageBox(const std::string& text, int icon, const std::string&) {
  // Only the completion message carries the information icon; it is the run's result, not a complaint.
  std::ostream& stream = icon == kIconInformation ? m_out : m_err;
  stream << text << '\n' << std::flush;
}

std::optional<std::string> ConsoleHost::BrowseForFolder(const std::string&, const std::string&) {
  return std::nullopt;
}

}  // namespace kelvora::cli

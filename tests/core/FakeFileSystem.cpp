#include "FakeFileSystem.h"

#include <algorithm>
#include <utility>

namespace kelvora::testing {
namespace {

std::string Trimmed(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

// The folder part is trimmed as OpenWalk trims it, so "/dst/" + "/" + name lands in "/dst" as it would on disk.
std::pair<std::string, std::string> Split(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {"", path};
  return {Trimmed(path.substr(0, slash)), path.substr(slash + 1)};
}

class FakeWalk final : public DirectoryWalk {
 public:
  FakeWalk(FakeFileSystem& fs, std::string folder, std::vector<FindData> entries, std::pair<int, int> failAt)
      : m_fs(fs), m_folder(std::move(folder)), m_entries(std::move(entries)), m_failAt(failAt) {
    ++m_fs.openWalks;
  }
  ~FakeWalk() override {
    --m_fs.openWalks;
    m_fs.log.push_back("close " + m_folder);
  }

  int Next(FindData& entry) override {
    ++m_calls;
    m_fs.monotonicMs += m_fs.msPerEntry;
    if (m_failAt.first != 0 && m_calls == m_failAt.first) return m_failAt.second;
    if (++m_position >= m_entries.size()) return kErrNoMoreFiles;
    entry = m_entries[m_position];
    return 0;
  }

 private:
  FakeFileSystem& m_fs;
  std::string m_folder;
  std::vector<FindData> m_entries;
  std::pair<int, int> m_failAt;
  std::size_t m_position = 0;
  int m_calls = 0;
};

}  // namespace

std::vector<std::string> FakeFileSystem::Names(const std::string& folder) const {
  std::vector<std::string> names;
  for (const Entry& entry : folders.at(folder)) names.push_back(entry.name);
  return names;
}

const FakeFileSystem::Entry* FakeFileSystem::Find(const std::string& path) const {
  const auto [folder, name] = Split(path);
  const auto it = folders.find(folder);
  if (it == folders.end()) return nullptr;
  for (const Entry& entry : it->second)
    if (entry.name == name) return &entry;
  return nullptr;
}

int FakeFileSystem::Count(const std::string& prefix) const {
  return static_cast<int>(std::count_if(log.begin(), log.end(), [&](const std::string& line) {
    return line.rfind(prefix, 0) == 0;
  }));
}

std::unique_ptr<DirectoryWalk> FakeFileSystem::OpenWalk(const std::string& folder, FindData& first, int& error) {
  const std::string key = Trimmed(folder);
  log.push_back("open " + key);
  if (const auto it = openWalkError.find(key); it != openWalkError.end() && it->second != 0) {
    error = it->second;
    return nullptr;
  }
  const auto it = folders.find(key);
  if (it == folders.end()) {
    error = kErrPathNotFound;
    return nullptr;
  }
  std::vector<FindData> entries{{".", kAttrDirectory, {}}, {"..", kAttrDirectory, {}}};
  for (const Entry& entry : it->second) entries.push_back({entry.name, entry.attributes, {kDevice, entry.inode}});
  first = entries.front();
  const auto failAt = nextError.count(key) ? nextError.at(key) : std::pair<int, int>{0, 0};
  return std::make_unique<FakeWalk>(*this, key, std::move(entries), failAt);
}

std::optional<FileId> FakeFileSystem::IdentifyFile(const std::string& path, bool) {
  const auto alias = aliases.find(path);
  const Entry* entry = Find(alias == aliases.end() ? path : alias->second);
  if (!entry) return std::nullopt;
  return FileId{kDevice, entry->inode};
}

int FakeFileSystem::MoveNoReplace(const std::string& from, const std::string& to) {
  log.push_back("move " + from + " -> " + to);
  monotonicMs += msPerMove;
  if (failMove)
    if (const std::optional<int> error = failMove(from, to, ++m_moveAttempts[from])) return *error;
  const auto [fromFolder, fromName] = Split(from);
  const auto [toFolder, toName] = Split(to);
  if (!folders.count(fromFolder) || !folders.count(toFolder)) return 2;
  if (Find(to)) return kMoveTargetExists;
  if (m_grouping && deferGroupedMoves) {
    const auto holds = [&to](const std::pair<std::string, std::string>& move) { return move.second == to; };
    if (std::any_of(m_pending.begin(), m_pending.end(), holds)) return kMoveTargetExists;
    m_pending.emplace_back(from, to);
    return kMoveOk;
  }
  return Relocate(from, to);
}

void FakeFileSystem::GroupMoves(bool on) {
  m_grouping = on;
  if (!on) m_pending.clear();
}

std::vector<MoveFailure> FakeFileSystem::CompleteMoves() {
  std::vector<MoveFailure> failures;
  if (m_pending.empty()) return failures;
  log.push_back("complete " + std::to_string(m_pending.size()));
  for (const auto& [from, to] : std::exchange(m_pending, {})) {
    const std::optional<int> error = failCompletion ? failCompletion(from, to) : std::nullopt;
    const int result = error ? *error : Find(to) ? kMoveTargetExists : Relocate(from, to);
    if (result != kMoveOk) failures.push_back({from, to, result});
  }
  return failures;
}

int FakeFileSystem::Relocate(const std::string& from, const std::string& to) {
  const auto [fromFolder, fromName] = Split(from);
  const auto [toFolder, toName] = Split(to);
  auto& source = folders[fromFolder];
  const auto it = std::find_if(source.begin(), source.end(), [&](const Entry& e) { return e.name == fromName; });
  if (it == source.end()) return 2;
  Entry moved = *it;
  source.erase(it);
  moved.name = toName;
  folders[toFolder].push_back(std::move(moved));
  return kMoveOk;
}

bool FakeFileSystem::SameFolder(const std::string& a, const std::string& b) {
  return folders.count(Trimmed(a)) && Trimmed(a) == Trimmed(b);
}

void FakeFileSystem::Sleep(int milliseconds) {
  // A pause slept in slices, with nothing else done in between, is one pause in the log.
  int slept = milliseconds;
  if (!log.empty() && log.back().rfind("sleep ", 0) == 0) {
    slept += std::stoi(log.back().substr(6));
    log.pop_back();
  }
  log.push_back("sleep " + std::to_string(slept));
  sleptMs += milliseconds;
  monotonicMs += milliseconds;
}

std::string FakeFileSystem::FormatLocalTime(std::int64_t time, const char* format) {
  const std::time_t t = static_cast<std::time_t>(time);
  std::tm parts{};
  if (!gmtime_r(&t, &parts)) return {};
  char buffer[64];
  return std::string(buffer, std::strftime(buffer, sizeof buffer, format, &parts));
}

ReadLineResult FakeFileSystem::ReadFirstLine(const std::string& path, std::size_t maxBytes) {
  log.push_back("read " + path);
  const auto it = files.find(path);
  if (readStatus) return {*readStatus, {}};
  if (it == files.end()) return {ReadLineResult::kOpenFailed, {}};
  if (it->second.empty()) return {ReadLineResult::kReadFailed, {}};
  std::string line = it->second.substr(0, maxBytes);
  if (const std::size_t newline = line.find('\n'); newline != std::string::npos) line.resize(newline + 1);
  return {ReadLineResult::kOk, line};
}

ReplaceFileResult FakeFileSystem::ReplaceFile(const std::string& path, const std::string& bytes) {
  log.push_back("write " + path);
  if (replaceResult && *replaceResult != ReplaceFileResult::kOk) return *replaceResult;
  files[path] = bytes;
  written.push_back(bytes);
  return ReplaceFileResult::kOk;
}

}  // namespace kelvora::testing

#pragma once

#include <functional>

#include "platform/fs/posix/PosixFileSystem.h"

namespace kelvora::test {

/// The real file layer, on a clock the test can slow down: while `msPerMove` is set, the clock stands still
/// but for every move, which takes that long; `afterMove` then runs with the number of moves so far, as the
/// user could act while a long batch runs.
/// `fixedNow`, when set, stops the wall clock there, so that a plan and a batch share one stamp.
class SlowFileSystem final : public FileSystem {
 public:
  std::int64_t msPerMove = 0;
  std::int64_t fixedNow = 0;
  std::function<void(int moves)> afterMove;

  std::unique_ptr<DirectoryWalk> OpenWalk(const std::string& folder, FindData& first, int& error) override {
    return m_real.OpenWalk(folder, first, error);
  }
  std::optional<FileId> IdentifyFile(const std::string& path, bool throughLink) override {
    return m_real.IdentifyFile(path, throughLink);
  }
  bool NamesAreExact(const std::string& folder) override { return m_real.NamesAreExact(folder); }
  void RemoveStaleMoveCopies(const std::string& folder) override { m_real.RemoveStaleMoveCopies(folder); }
  int MoveNoReplace(const std::string& from, const std::string& to) override {
    const int result = m_real.MoveNoReplace(from, to);
    m_clock += msPerMove;
    if (afterMove) afterMove(++m_moves);
    return result;
  }
  void SetMoveProgress(MoveProgress* progress) override { m_real.SetMoveProgress(progress); }
  void GroupMoves(bool on) override { m_real.GroupMoves(on); }
  std::vector<MoveFailure> CompleteMoves() override { return m_real.CompleteMoves(); }
  bool SameFolder(const std::string& a, const std::string& b) override { return m_real.SameFolder(a, b); }
  void Sleep(int milliseconds) override { m_real.Sleep(milliseconds); }
  std::int64_t Now() override { return fixedNow ? fixedNow : m_real.Now(); }
  std::int64_t MonotonicMs() override { return msPerMove ? m_clock : m_real.MonotonicMs(); }
  std::string FormatLocalTime(std::int64_t time, const char* format) override {
    return m_real.FormatLocalTime(time, format);
  }
  ReadLineResult ReadFirstLine(const std::string& path, std::size_t maxBytes) override {
    return m_real.ReadFirstLine(path, maxBytes);
  }
  ReplaceFileResult ReplaceFile(const std::string& path, const std::string& bytes) override {
    return m_real.ReplaceFile(path, bytes);
  }

 private:
  PosixFileSystem m_real;
  std::int64_t m_clock = 0;
  int m_moves = 0;
};

}  // namespace kelvora::test

#pragma once

#include <deque>
#include <functional>
#include <utility>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/dialog/DialogHost.h"

namespace kelvora::testing {

struct Box {
  std::string text;
  int icon = 0;
  friend bool operator==(const Box&, const Box&) = default;
  friend std::ostream& operator<<(std::ostream& out, const Box& box) {
    return out << "{\"" << box.text << "\", icon " << box.icon << "}";
  }
};
using Boxes = std::vector<Box>;

/// A host without a window: records every box and answers the folder picker from a script.
class FakeHost final : public DialogHost {
 public:
  Boxes boxes;
  std::string lastCaption;
  std::deque<std::optional<std::string>> pickerAnswers;
  std::vector<std::string> pickerTitles;
  std::vector<std::string> pickerStarts;
  WindowRect rect{10, 20, 410, 260};
  std::optional<std::pair<int, int>> shownAt;
  bool acceptsDrops = false;
  int aboutBoxes = 0;
  std::optional<int> endStatus;
  /// Runs inside every message box, as a nested event loop would.
  std::function<void()> duringBox;
  /// Turns a running batch gave the window, and what runs in each, as the user could act meanwhile.
  int turns = 0;
  std::function<void()> duringTurn;

  /// The boxes shown since the last call.
  Boxes TakeBoxes() { return std::exchange(boxes, {}); }

  void MessageBox(const std::string& text, int icon, const std::string& caption) override {
    boxes.push_back({text, icon});
    lastCaption = caption;
    if (duringBox) duringBox();
  }
  std::optional<std::string> BrowseForFolder(const std::string& title, const std::string& startFolder) override {
    pickerTitles.push_back(title);
    pickerStarts.push_back(startFolder);
    if (pickerAnswers.empty()) return std::nullopt;
    auto answer = pickerAnswers.front();
    pickerAnswers.pop_front();
    return answer;
  }
  void ShowAboutBox() override { ++aboutBoxes; }
  WindowRect GetWindowRect() override { return rect; }
  void ShowWindowAt(int x, int y) override { shownAt = {x, y}; }
  void DragAcceptFiles(bool accept) override { acceptsDrops = accept; }
  void ControlChanged(int) override {}
  void KeepAlive() override {
    ++turns;
    if (duringTurn) duringTurn();
  }
  void EndProcess(int status) override { endStatus = status; }
  void ShowPreview() override { ++previews; }
  void PlanInputsChanged() override { ++planNotices; }
  int previews = 0;
  /// How often the dialog said a plan would differ now.
  int planNotices = 0;
};

/// Dropped items that count how often they are released.
class FakeDrop final : public DropObject {
 public:
  explicit FakeDrop(std::vector<std::string> paths) : m_paths(std::move(paths)) {}
  unsigned Count() override { return static_cast<unsigned>(m_paths.size()); }
  std::string Path(unsigned index) override { return m_paths.at(index); }
  void Finish() override {
    ++finished;
    if (onFinish) onFinish();
  }
  int finished = 0;
  /// Runs at every release, so a test can see what had happened by then.
  std::function<void()> onFinish;

 private:
  std::vector<std::string> m_paths;
};

}  // namespace kelvora::testing

#pragma once

#include <QMessageBox>
#include <QString>
#include <deque>
#include <functional>
#include <vector>

#include "gui/qt/QtDialogHost.h"

namespace kelvora::gui {

/// A message box as the user would have seen it.
struct ShownBox {
  QString caption;
  QString text;
  QMessageBox::Icon icon;
};

/// The real host with its modal parts answered by the test: boxes are recorded instead of waiting for a
/// user, and the folder picker returns prepared answers.
class ScriptedHost final : public QtDialogHost {
 public:
  std::vector<ShownBox> boxes;
  /// Answers of the folder picker, in order; an empty one is a cancel.
  std::deque<QString> folderAnswers;
  /// Where each folder picker opened.
  std::vector<QString> folderStarts;
  /// Runs while a modal box is open, as the user could act meanwhile.
  std::function<void(QDialog&)> whileModal;

 protected:
  void RunModal(QDialog& box) override {
    if (auto* message = qobject_cast<QMessageBox*>(&box))
      boxes.push_back({message->windowTitle(), message->text(), message->icon()});
    if (whileModal) whileModal(box);
  }

  QString PickFolder(const QString&, const QString& startFolder) override {
    folderStarts.push_back(startFolder);
    if (folderAnswers.empty()) return {};
    QString answer = folderAnswers.front();
    folderAnswers.pop_front();
    return answer;
  }
};

}  // namespace kelvora::gui

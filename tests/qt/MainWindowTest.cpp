#include <QApplication>
#include <QCheckBox>
#include <QStyle>
#include <QStyleOptionButton>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>
#include <memory>

#include "Program.h"
#include "Workspace.h"
#include "app/TarnwickApp.h"
#include "gui/qt/AboutBox.h"
#include "gui/qt/DialogUnits.h"
#include "gui/qt/MimeDrop.h"
#include "res/Strings.h"
#include "res/Templates.h"
#include "res/resource.h"

namespace kelvora::gui {
namespace {

/// The files as a file manager drags them: as URLs, and as plain text that an edit would gladly take.
std::unique_ptr<QMimeData> UrlsOf(const QStringList& paths) {
  auto mime = std::make_unique<QMimeData>();
  QList<QUrl> urls;
  for (const QString& path : paths) urls.push_back(QUrl::fromLocalFile(path));
  mime->setUrls(urls);
  mime->setText(paths.join(u'\n'));
  return mime;
}

/// Drags `mime` over the window at `pos` and drops it there, as the window system delivers a drag: to the
/// window, which finds the widget under the pointer. Returns whether the drop was taken, as a copy.
bool DragAndDrop(QWidget& window, const QMimeData& mime, QPoint pos) {
  QWindow* handle = window.windowHandle();
  const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
  QDragEnterEvent enter(pos, offered, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(handle, &enter);
  if (!enter.isAccepted()) return false;
  QDragMoveEvent move(pos, offered, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(handle, &move);
  QDropEvent drop(pos, offered, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(handle, &drop);
  return move.isAccepted() && drop.isAccepted() && drop.dropAction() == Qt::CopyAction;
}

/// A point of the window's background, between the buttons and the folder labels.
QPoint BackgroundPoint(Program& program) {
  const BaseUnits units = program.Window().View().Units();
  return {MulDiv(56, units.x, 4), MulDiv(4, units.y, 8)};
}

/// A click on `widget` as the window system would deliver it later, in the next turn of the event loop.
void PostClick(QWidget& widget) {
  const QPointF centre = QRectF(widget.rect()).center();
  for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
    QCoreApplication::postEvent(
        &widget, new QMouseEvent(type, centre, widget.mapToGlobal(centre), Qt::LeftButton, held, Qt::NoModifier));
  }
}

/// Records the text of an edit each time it is painted.
class PaintWatch final : public QObject {
 public:
  PaintWatch(QLineEdit& edit, QStringList& painted) : m_edit(edit), m_painted(painted) {
    edit.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) m_painted << m_edit.text();
    return false;
  }

 private:
  QLineEdit& m_edit;
  QStringList& m_painted;
};

}  // namespace

// The label is drawn whole inside the box's contents rectangle.
bool LabelFits(const QCheckBox& box) {
  QStyleOptionButton option;
  option.initFrom(&box);
  const QRect contents = box.style()->subElementRect(QStyle::SE_CheckBoxContents, &option, &box);
  return box.fontMetrics().horizontalAdvance(box.text()) <= contents.width();
}

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<Workspace> m_workspace;
  std::unique_ptr<Program> m_program;

  Program& Start(const SettingsRecord& settings) {
    m_workspace->WriteSettings(settings);
    m_program = std::make_unique<Program>();
    return *m_program;
  }

 private slots:
  void initTestCase() { QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }

  void init() {
    m_workspace = std::make_unique<Workspace>();
    QVERIFY(m_workspace->IsValid());
  }

  void cleanup() {
    m_program.reset();
    m_workspace.reset();
  }

  void mulDivRoundsToNearest_data() {
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("c");
    QTest::addColumn<int>("expected");
    QTest::newRow("exact") << 8 << 16 << 8 << 16;
    QTest::newRow("quarter rounds down") << 7 << 7 << 4 << 12;
    QTest::newRow("half rounds up") << 1 << 6 << 4 << 2;
    QTest::newRow("three quarters round up") << 3 << 5 << 4 << 4;
    QTest::newRow("window width") << 258 << 7 << 4 << 452;
  }

  void mulDivRoundsToNearest() {
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(int, c);
    QFETCH(int, expected);
    QCOMPARE(MulDiv(a, b, c), expected);
  }

  void everyTemplateControlHasItsWidget() {
    Program& program = Start(m_workspace->PrefixSettings());
    MainDialogWindow& window = program.Window();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const BaseUnits units = window.View().Units();
    QVERIFY(units.x > 0 && units.y > 0);
    QCOMPARE(window.size(), ToPixels(258, 116, units));
    QCOMPARE(window.windowTitle(), QStringLiteral("Kelvora 5.0"));

    for (const ControlTemplate& control : MainDialogTemplate().controls) {
      if (control.id == IDC_STATIC) continue;
      const QByteArray name = QByteArray::number(control.id);
      QWidget* widget = window.View().Widget(control.id);
      QVERIFY2(widget, name);
      switch (control.kind) {
        case ControlKind::kPushButton: QVERIFY2(qobject_cast<QPushButton*>(widget), name); break;
        case ControlKind::kEdit: QVERIFY2(qobject_cast<QLineEdit*>(widget), name); break;
        case ControlKind::kCheckBox: QVERIFY2(qobject_cast<QCheckBox*>(widget), name); break;
        case ControlKind::kRadioButton: QVERIFY2(qobject_cast<QRadioButton*>(widget), name); break;
        default: QFAIL(name);
      }
      // A check box may be wider than its rectangle when its label needs the free space beside it.
      const QRect expected = ToPixels(control.rect, units);
      QCOMPARE(widget->pos(), expected.topLeft());
      QCOMPARE(widget->height(), expected.height());
      if (control.kind == ControlKind::kCheckBox)
        QVERIFY2(widget->width() >= expected.width() && LabelFits(*qobject_cast<QCheckBox*>(widget)), name);
      else
        QCOMPARE(widget->width(), expected.width());
      QCOMPARE(widget->isVisible(), (control.style & kStyleHidden) == 0);
      QCOMPARE(widget->acceptDrops(), false);
    }
    QVERIFY(program.Control<QPushButton>(IDOK)->isDefault());
    QCOMPARE(window.focusWidget(), program.Control(IDOK));
  }

  void autoCheckBoxClickRunsItsHandler() {
    SettingsRecord settings = m_workspace->PrefixSettings();
    settings.autoCodeOn = 1;
    Program& program = Start(settings);
    auto* autoBox = program.Control<QCheckBox>(IDC_AUTO);
    auto* prefix = program.Control<QLineEdit>(IDC_PREFIX);
    QCOMPARE(autoBox->text(), QString::fromUtf8(text::kAutoLabel));
    QVERIFY(autoBox->isChecked());
    QVERIFY(prefix->isReadOnly());

    QTest::mouseClick(autoBox, Qt::LeftButton);
    QCOMPARE(autoBox->text(), QString::fromUtf8(text::kManualLabel));
    QVERIFY(!autoBox->isChecked());
    QVERIFY(!prefix->isReadOnly());
    QCOMPARE(prefix->text(), QStringLiteral("旅行-"));

    QTest::mouseClick(autoBox, Qt::LeftButton);
    QCOMPARE(autoBox->text(), QString::fromUtf8(text::kAutoLabel));
    QVERIFY(autoBox->isChecked());
    QVERIFY(prefix->isReadOnly());
    QCOMPARE(prefix->text(), QString::fromStdString(program.Dialog().CodeText()));
  }

  void clickOnDisabledControlDoesNothing() {
    Program& program = Start(m_workspace->PrefixSettings());
    auto* autoBox = program.Control<QCheckBox>(IDC_AUTO);
    QTest::mouseClick(program.Control(IDC_MODE_STAMP), Qt::LeftButton);
    QVERIFY(program.Control<QRadioButton>(IDC_MODE_STAMP)->isChecked());
    QVERIFY(!program.Control<QRadioButton>(IDC_MODE_TEXT)->isChecked());
    QVERIFY(!autoBox->isEnabled());

    QTest::mouseClick(autoBox, Qt::LeftButton);
    QVERIFY(!autoBox->isChecked());
    QCOMPARE(program.Dialog().IsDlgButtonChecked(IDC_AUTO), 0);
    QCOMPARE(autoBox->text(), QString::fromUtf8(text::kManualLabel));
  }

  void modelStateShowsInWidgetWithoutRunningHandlers() {
    Program& program = Start(m_workspace->PrefixSettings());
    CTarnwickDlg& dialog = program.Dialog();
    dialog.SetRadioGroup(IDC_MODE_STAMP, -1);
    QVERIFY(!program.Control<QRadioButton>(IDC_MODE_STAMP)->isChecked());
    QVERIFY(!program.Control<QRadioButton>(IDC_MODE_TEXT)->isChecked());
    dialog.SetRadioGroup(IDC_MODE_STAMP, 0);
    QVERIFY(program.Control<QRadioButton>(IDC_MODE_STAMP)->isChecked());
    QVERIFY(!program.Control<QRadioButton>(IDC_MODE_TEXT)->isChecked());

    dialog.SetDlgItemText(IDC_COUNT, "１２３");
    QCOMPARE(program.Control<QLineEdit>(IDC_COUNT)->text(), QStringLiteral("１２３"));
    dialog.EnableWindow(IDC_MOVE_ONLY, false);
    QVERIFY(!program.Control(IDC_MOVE_ONLY)->isEnabled());
    dialog.SetReadOnly(IDC_PREFIX, true);
    QVERIFY(program.Control<QLineEdit>(IDC_PREFIX)->isReadOnly());

    // Checking the drop box from code must not arm the window: only a click runs its handler.
    dialog.CheckDlgButton(IDC_DRAGDROP, 1);
    QVERIFY(program.Control<QCheckBox>(IDC_DRAGDROP)->isChecked());
    QVERIFY(!program.Window().acceptDrops());
    QVERIFY(program.Control(IDOK)->isEnabled());
  }

  void exitSavesSettingsAndEnds_data() {
    QTest::addColumn<QString>("way");
    QTest::newRow("Esc") << QStringLiteral("esc");
    QTest::newRow("close box") << QStringLiteral("close");
    QTest::newRow("window menu") << QStringLiteral("menu");
  }

  void exitSavesSettingsAndEnds() {
    QFETCH(QString, way);
    Program& program = Start(m_workspace->PrefixSettings());
    MainDialogWindow& window = program.Window();
    QSignalSpy ended(&program.host, &QtDialogHost::ended);
    auto* source = program.Control<QLineEdit>(IDC_SRC_FOLDER);
    source->selectAll();
    QTest::keyClicks(source, QStringLiteral("typed-folder"));

    if (way == QStringLiteral("esc")) {
      QTest::keyClick(source, Qt::Key_Escape);
    } else if (way == QStringLiteral("close")) {
      QCloseEvent close;
      QApplication::sendEvent(&window, &close);
      QVERIFY(!close.isAccepted());
    } else {
      const QList<QAction*> actions = window.WindowMenu().actions();
      QCOMPARE(actions.at(1)->text(), QStringLiteral("閉じる(&C)"));
      actions.at(1)->trigger();
    }

    QCOMPARE(ended.count(), 1);
    QCOMPARE(ended.at(0).at(0).toInt(), 0);
    QVERIFY(!window.isVisible());
    QCOMPARE(m_workspace->ReadSettings().sourceFolder, std::string("typed-folder"));
    QVERIFY(program.host.boxes.empty());
  }

  void convertAndMoveRenamesTheSourceFolder_data() {
    QTest::addColumn<bool>("byReturnKey");
    QTest::newRow("click on the button") << false;
    QTest::newRow("Return in a folder edit") << true;
  }

  void convertAndMoveRenamesTheSourceFolder() {
    QFETCH(bool, byReturnKey);
    m_workspace->AddFile(m_workspace->Source(), QStringLiteral("写真.jpg"));
    m_workspace->AddFile(m_workspace->Source(), QStringLiteral("メモ.txt"));
    Program& program = Start(m_workspace->PrefixSettings());
    QCOMPARE(program.Control<QPushButton>(IDOK)->text(), QStringLiteral("変換＆移動"));

    if (byReturnKey)
      QTest::keyClick(program.Control(IDC_DST_FOLDER), Qt::Key_Return);
    else
      QTest::mouseClick(program.Control(IDOK), Qt::LeftButton);

    QCOMPARE(Workspace::Files(m_workspace->Dest()), (QStringList{QStringLiteral("旅行-メモ.txt"), QStringLiteral("旅行-写真.jpg")}));
    QVERIFY(Workspace::Files(m_workspace->Source()).isEmpty());
    QCOMPARE(program.Control<QLineEdit>(IDC_COUNT)->text(), QStringLiteral("2"));
    QCOMPARE(program.host.boxes.size(), std::size_t{1});
    QCOMPARE(program.host.boxes[0].caption, QStringLiteral("kelvora"));
    QCOMPARE(program.host.boxes[0].icon, QMessageBox::Information);
    QVERIFY(program.host.boxes[0].text.contains(QStringLiteral("完了！")));
    QVERIFY(program.host.boxes[0].text.contains(QStringLiteral("2 件")));
  }

  void browseFillsTheFolderEdit_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("picked");
    QTest::newRow("picked") << QStringLiteral("受信フォルダ") << true;
    QTest::newRow("cancelled") << QString() << false;
  }

  void browseFillsTheFolderEdit() {
    QFETCH(QString, answer);
    QFETCH(bool, picked);
    const QString folder = picked ? m_workspace->Path(answer) : QString();
    Program& program = Start(m_workspace->PrefixSettings());
    program.host.folderAnswers.push_back(folder);
    QTest::mouseClick(program.Control(IDC_BROWSE_DST), Qt::LeftButton);
    QCOMPARE(program.Control<QLineEdit>(IDC_DST_FOLDER)->text(), picked ? folder : m_workspace->Dest());
    QVERIFY(program.host.folderAnswers.empty());
    // The dialog opened at the folder the edit named.
    QCOMPARE(program.host.folderStarts, std::vector<QString>{m_workspace->Dest()});
  }

  void droppedFilesMoveWhenArmed_data() {
    QTest::addColumn<bool>("overEdit");
    QTest::newRow("over the background") << false;
    // The folder edits are locked while dropping is on; the prefix edit stays editable.
    QTest::newRow("over the prefix edit") << true;
  }

  void droppedFilesMoveWhenArmed() {
    QFETCH(bool, overEdit);
    const QString camera = m_workspace->Path(QStringLiteral("カメラ"));
    const QStringList dropped{m_workspace->AddFile(camera, QStringLiteral("写真.jpg")),
                              m_workspace->AddFile(camera, QStringLiteral("旅の地図.png"))};
    Program& program = Start(m_workspace->PrefixSettings());
    MainDialogWindow& window = program.Window();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::mouseClick(program.Control(IDC_DRAGDROP), Qt::LeftButton);
    QVERIFY(window.acceptDrops());
    QVERIFY(!program.Control(IDOK)->isEnabled());

    auto* edit = program.Control<QLineEdit>(IDC_PREFIX);
    QVERIFY(edit->isEnabled() && !edit->isReadOnly());
    const QPoint pos = overEdit ? edit->geometry().center() : BackgroundPoint(program);
    QCOMPARE(window.childAt(pos), overEdit ? edit : nullptr);
    const QString prefix = edit->text();
    const std::unique_ptr<QMimeData> mime = UrlsOf(dropped);
    QVERIFY(DragAndDrop(window, *mime, pos));

    QTRY_COMPARE(Workspace::Files(m_workspace->Dest()),
                 (QStringList{QStringLiteral("旅行-写真.jpg"), QStringLiteral("旅行-旅の地図.png")}));
    QVERIFY(Workspace::Files(camera).isEmpty());
    QCOMPARE(edit->text(), prefix);
    QCOMPARE(program.Control<QLineEdit>(IDC_COUNT)->text(), QStringLiteral("2"));
    QCOMPARE(program.host.boxes.size(), std::size_t{1});
    QVERIFY(program.host.boxes[0].text.contains(QStringLiteral("2 件")));
  }

  void dropOnDisarmedWindowIsRefused() {
    const QString camera = m_workspace->Path(QStringLiteral("カメラ"));
    const QString photo = m_workspace->AddFile(camera, QStringLiteral("写真.jpg"));
    Program& program = Start(m_workspace->PrefixSettings());
    MainDialogWindow& window = program.Window();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const std::unique_ptr<QMimeData> mime = UrlsOf({photo});
    QVERIFY(!DragAndDrop(window, *mime, program.Control(IDC_SRC_FOLDER)->geometry().center()));

    // A drop that reaches the window all the same is refused too.
    QDropEvent drop(BackgroundPoint(program), Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
    QVERIFY(!drop.isAccepted());
    QCoreApplication::sendPostedEvents();
    QCOMPARE(Workspace::Files(camera), QStringList{QStringLiteral("写真.jpg")});
    QVERIFY(Workspace::Files(m_workspace->Dest()).isEmpty());
    QVERIFY(program.host.boxes.empty());
  }

  void dropWhileABatchBoxIsOpenIsRefused() {
    const QString camera = m_workspace->Path(QStringLiteral("カメラ"));
    const QString first = m_workspace->AddFile(camera, QStringLiteral("一枚目.jpg"));
    const QString second = m_workspace->AddFile(camera, QStringLiteral("二枚目.jpg"));
    Program& program = Start(m_workspace->PrefixSettings());
    MainDialogWindow& window = program.Window();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::mouseClick(program.Control(IDC_DRAGDROP), Qt::LeftButton);

    const std::unique_ptr<QMimeData> secondMime = UrlsOf({second});
    int refusedWhileOpen = 0;
    program.host.whileModal = [&](QDialog&) {
      QDropEvent drop(BackgroundPoint(program), Qt::CopyAction, secondMime.get(), Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(&window, &drop);
      if (!drop.isAccepted() && !DragAndDrop(window, *secondMime, BackgroundPoint(program))) ++refusedWhileOpen;
    };
    const std::unique_ptr<QMimeData> firstMime = UrlsOf({first});
    QVERIFY(DragAndDrop(window, *firstMime, BackgroundPoint(program)));

    QTRY_COMPARE(program.host.boxes.size(), std::size_t{1});
    QCoreApplication::sendPostedEvents();
    QCOMPARE(refusedWhileOpen, 1);
    QCOMPARE(Workspace::Files(m_workspace->Dest()), QStringList{QStringLiteral("旅行-一枚目.jpg")});
    QCOMPARE(Workspace::Files(camera), QStringList{QStringLiteral("二枚目.jpg")});
  }

  void mimeDropTakesLocalFilesOnly_data() {
    QTest::addColumn<QList<QUrl>>("urls");
    QTest::addColumn<QStringList>("paths");
    QTest::newRow("Japanese names") << QList<QUrl>{QUrl::fromLocalFile(QStringLiteral("/写真/夏.jpg"))}
                                    << QStringList{QStringLiteral("/写真/夏.jpg")};
    QTest::newRow("web link left out")
        << QList<QUrl>{QUrl(QStringLiteral("https://example.org/a.jpg")), QUrl::fromLocalFile(QStringLiteral("/b c.txt"))}
        << QStringList{QStringLiteral("/b c.txt")};
    QTest::newRow("nothing local") << QList<QUrl>{QUrl(QStringLiteral("smb://server/share/a.jpg"))} << QStringList{};
  }

  void mimeDropTakesLocalFilesOnly() {
    QFETCH(QList<QUrl>, urls);
    QFETCH(QStringList, paths);
    MimeDrop drop(urls);
    QCOMPARE(drop.Count(), static_cast<unsigned>(paths.size()));
    for (unsigned i = 0; i < drop.Count(); ++i)
      QCOMPARE(QByteArray::fromStdString(drop.Path(i)), QFile::encodeName(paths.at(static_cast<qsizetype>(i))));

    Program& program = Start(m_workspace->PrefixSettings());
    program.Dialog().OnDropFiles(drop);
    QCOMPARE(drop.FinishCount(), 1);
  }

  void windowMenuOpens_data() {
    QTest::addColumn<bool>("byKey");
    QTest::newRow("Alt+Space") << true;
    QTest::newRow("right click on the background") << false;
  }

  void windowMenuOpens() {
    QFETCH(bool, byKey);
    Program& program = Start(m_workspace->PrefixSettings());
    MainDialogWindow& window = program.Window();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QWidget* focused = program.Control(IDOK);
    if (byKey) {
      QTest::keyClick(focused, Qt::Key_Space, Qt::AltModifier);
    } else {
      QContextMenuEvent event(QContextMenuEvent::Mouse, BackgroundPoint(program),
                              window.mapToGlobal(BackgroundPoint(program)));
      QApplication::sendEvent(&window, &event);
    }
    QMenu& menu = window.WindowMenu();
    QTRY_VERIFY(menu.isVisible());
    QStringList items;
    for (const QAction* action : menu.actions()) items << action->text();
    QCOMPARE(items, (QStringList{QStringLiteral("最小化(&N)"), QStringLiteral("閉じる(&C)"), QString(),
                                 QStringLiteral("プレビュー(&P)..."), QString::fromUtf8(text::kAboutMenuItem)}));
    menu.hide();
    // Alt+Space must not press the focused button as well.
    QVERIFY(program.host.boxes.empty());
    QVERIFY(window.isVisible());
  }

  void longBatchPaintsItsProgressAndStopsWhenClosed_data() {
    QTest::addColumn<QString>("way");
    QTest::newRow("close box") << QStringLiteral("close");
    QTest::newRow("Esc") << QStringLiteral("esc");
    QTest::newRow("終了") << QStringLiteral("button");
  }

  void longBatchPaintsItsProgressAndStopsWhenClosed() {
    QFETCH(QString, way);
    constexpr int kFiles = 40;
    for (int i = 0; i < kFiles; ++i) m_workspace->AddFile(m_workspace->Source(), QStringLiteral("写真%1.jpg").arg(i));
    Program& program = Start(m_workspace->PrefixSettings());
    MainDialogWindow& window = program.Window();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QSignalSpy ended(&program.host, &QtDialogHost::ended);

    // What the count display shows each time it is painted.
    auto* count = program.Control<QLineEdit>(IDC_COUNT);
    QStringList painted;
    PaintWatch watch(*count, painted);

    // Each file takes 30 ms: the window gets its turn after every second one. After ten files the user
    // clicks "変換＆移動" again and types into the prefix, which is refused, then closes the window.
    auto* prefix = program.Control<QLineEdit>(IDC_PREFIX);
    const QString prefixBefore = prefix->text();
    program.fileSystem.msPerMove = 30;
    program.fileSystem.afterMove = [&](int moves) {
      if (moves != 10) return;
      PostClick(*program.Control(IDOK));
      QCoreApplication::postEvent(prefix,
                                  new QKeyEvent(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x")));
      if (way == QStringLiteral("close"))
        QCoreApplication::postEvent(&window, new QCloseEvent);
      else if (way == QStringLiteral("esc"))
        QCoreApplication::postEvent(&window, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
      else
        PostClick(*program.Control(IDCANCEL));
    };
    QTest::mouseClick(program.Control(IDOK), Qt::LeftButton);

    // The batch stopped after the file it was moving and the program ended as the exit command ends it.
    QCOMPARE(ended.count(), 1);
    QCOMPARE(ended.at(0).at(0).toInt(), 0);
    QVERIFY(!window.isVisible());
    const qsizetype moved = Workspace::Files(m_workspace->Dest()).size();
    QVERIFY2(moved >= 10 && moved <= 12, qPrintable(QString::number(moved)));
    QCOMPARE(Workspace::Files(m_workspace->Source()).size(), kFiles - moved);
    QCOMPARE(count->text(), QString::number(moved));
    QCOMPARE(prefix->text(), prefixBefore);
    QVERIFY(program.host.boxes.empty());
    // The count was painted while it grew, not only at the end.
    bool paintedMidway = false;
    for (const QString& shown : painted) paintedMidway |= shown.toInt() > 0 && shown.toInt() < moved;
    QVERIFY2(paintedMidway, qPrintable(painted.join(u',')));
  }

  void aboutItemShowsTheAboutBox() {
    Program& program = Start(m_workspace->PrefixSettings());
    QStringList labels;
    QString title;
    bool closedByOk = false;
    program.host.whileModal = [&](QDialog& box) {
      auto* about = dynamic_cast<AboutBox*>(&box);
      QVERIFY(about);
      title = about->windowTitle();
      for (const QLabel* label : about->findChildren<QLabel*>())
        labels << (label->pixmap().isNull() ? label->text() : QStringLiteral("<icon>"));
      auto* ok = qobject_cast<QPushButton*>(about->View().Widget(IDOK));
      QVERIFY(ok && ok->isDefault());
      about->show();
      QTest::mouseClick(ok, Qt::LeftButton);
      closedByOk = about->result() == QDialog::Accepted && !about->isVisible();
    };
    program.Window().WindowMenu().actions().at(4)->trigger();
    QCOMPARE(title, QStringLiteral("Kelvora のﾊﾞｰｼﾞｮﾝ情報"));
    QCOMPARE(labels, (QStringList{QStringLiteral("<icon>"), QStringLiteral("Kelvora Version 5.0"),
                                  QStringLiteral("Copyright (C) 2026 Kelvora")}));
    QVERIFY(closedByOk);
  }
};

}  // namespace kelvora::gui

QTEST_MAIN(kelvora::gui::MainWindowTest)
#include "MainWindowTest.moc"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <memory>

#include "Program.h"
#include "Workspace.h"
#include "res/resource.h"

namespace kelvora::gui {
namespace {

class PreviewWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<Workspace> m_workspace;
  std::unique_ptr<Program> m_program;

  Program& Start() {
    m_workspace->AddFile(m_workspace->Source(), QStringLiteral("写真.jpg"));
    m_workspace->AddFile(m_workspace->Source(), QStringLiteral("Thumbs.db"));
    m_workspace->WriteSettings(m_workspace->PrefixSettings());
    m_program = std::make_unique<Program>();
    if (!QTest::qWaitForWindowExposed(&m_program->Window())) qWarning("the main window was not shown");
    return *m_program;
  }

  PreviewWindow& OpenByMenu(Program& program) {
    for (QAction* action : program.Window().WindowMenu().actions())
      if (action->text() == QStringLiteral("プレビュー(&P)...")) action->trigger();
    return *program.Window().Preview();
  }

  /// The table's rows as "old -> new : what", sorted: a real folder delivers its files in an order of its own.
  static QStringList Rows(const PreviewWindow& preview) {
    const QAbstractItemModel& model = preview.Model();
    QStringList rows;
    for (int row = 0; row < model.rowCount(); ++row)
      rows << model.index(row, 0).data().toString() + " -> " + model.index(row, 1).data().toString() + " : " +
                  model.index(row, 2).data().toString();
    rows.sort();
    return rows;
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

  void opensBesideTheWindowWithThePlannedNames_data() {
    QTest::addColumn<bool>("byKey");
    QTest::newRow("window menu") << false;
    QTest::newRow("F5") << true;
  }

  void opensBesideTheWindowWithThePlannedNames() {
    QFETCH(bool, byKey);
    Program& program = Start();
    QVERIFY(!program.Window().Preview());
    if (byKey)
      QTest::keyClick(program.Control(IDOK), Qt::Key_F5);
    else
      OpenByMenu(program);
    PreviewWindow* preview = program.Window().Preview();
    QVERIFY(preview);
    QTRY_VERIFY(preview->isVisible());
    QVERIFY(preview->isWindow());
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(Rows(*preview), (QStringList{QStringLiteral("Thumbs.db ->  : 移動しない（対象外の名前）"),
                                          QStringLiteral("写真.jpg -> 旅行-写真.jpg : 移動")}));
    QCOMPARE(preview->CountLine().text(), QStringLiteral("移動 1 件　移動しない 1 件　次回の実行 0 件　中断 0 件"));
    // Only a plan: nothing moved, nothing said.
    QCOMPARE(Workspace::Files(m_workspace->Source()).size(), 2);
    QVERIFY(program.host.boxes.empty());
    QVERIFY(program.Window().isVisible());
  }

  void followsTheOptionsFoldersAndFiles() {
    Program& program = Start();
    PreviewWindow& preview = OpenByMenu(program);
    QTRY_COMPARE(preview.Model().rowCount(), 2);

    // A naming option clicked in the main window (which turns serial numbers on with it).
    QTest::mouseClick(program.Control(IDC_APPEND), Qt::LeftButton);
    QTRY_VERIFY(Rows(preview).contains(QStringLiteral("写真.jpg -> 旅行-0001.jpg : 移動")));

    // A folder typed into the main window.
    const QString other = m_workspace->Path(QStringLiteral("other"));
    m_workspace->AddFile(other, QStringLiteral("b.png"));
    auto* source = program.Control<QLineEdit>(IDC_SRC_FOLDER);
    source->selectAll();
    QTest::keyClicks(source, other);
    QTRY_COMPARE(Rows(preview), QStringList{QStringLiteral("b.png -> 旅行-0001.png : 移動")});

    // A file that arrives later shows after a refresh.
    m_workspace->AddFile(other, QStringLiteral("c.png"));
    QTest::mouseClick(&preview.RefreshButton(), Qt::LeftButton);
    QCOMPARE(preview.Model().rowCount(), 2);
    QCOMPARE(preview.CountLine().text(), QStringLiteral("移動 2 件　移動しない 0 件　次回の実行 0 件　中断 0 件"));

    // The batch itself is the main window's: once it has run, the preview shows what is left.
    QTest::mouseClick(program.Control(IDC_APPEND), Qt::LeftButton);
    QTest::mouseClick(program.Control(IDOK), Qt::LeftButton);
    QTRY_COMPARE(preview.Model().rowCount(), 0);
    QCOMPARE(Workspace::Files(m_workspace->Dest()).size(), 2);
  }

  void showsWhyABatchWouldNotStart() {
    Program& program = Start();
    PreviewWindow& preview = OpenByMenu(program);
    auto* dest = program.Control<QLineEdit>(IDC_DST_FOLDER);
    dest->selectAll();
    QTest::keyClicks(dest, m_workspace->Path(QStringLiteral("gone")));
    QTRY_COMPARE(preview.CountLine().text(),
                 QStringLiteral("「移動先フォルダ」にて指定されたフォルダは存在しません。再度確認して下さい。"));
    QCOMPARE(preview.Model().rowCount(), 0);
    QVERIFY(program.host.boxes.empty());
  }
};

}  // namespace
}  // namespace kelvora::gui

QTEST_MAIN(kelvora::gui::PreviewWindowTest)
#include "PreviewWindowTest.moc"

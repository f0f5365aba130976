#include <windows.h>
#include <commctrl.h>

#include "HostFixture.h"
#include "engine/PlanTexts.h"
#include "res/Strings.h"
#include "res/resource.h"

namespace kelvora::gui {
namespace {

// A source folder with a file to rename and a name no batch touches, and an empty destination.
class PreviewWindowTest : public HostFixture {
 protected:
  PreviewWindowTest() {
    CreateDirectoryA(source.c_str(), nullptr);
    CreateDirectoryA(dest.c_str(), nullptr);
    Write(source + "\\a.jpg", "a");
    Write(source + "\\Thumbs.db", "t");
    SetWindowTextA(Item(IDC_SRC_FOLDER), source.c_str());
    SetWindowTextA(Item(IDC_DST_FOLDER), dest.c_str());
    host.boxes.clear();
  }

  PreviewWindow& Open() {
    SendMessageA(window, WM_SYSCOMMAND, IDM_PREVIEW, 0);
    return *host.Preview();
  }

  HWND List() const { return host.Preview()->List(); }
  int RowCount() const { return static_cast<int>(SendMessageA(List(), LVM_GETITEMCOUNT, 0, 0)); }

  /// A cell as the list shows it: the list asks the window for the text.
  std::string Cell(int row, int column) const {
    char text[512] = {};
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(List(), LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return text;
  }

  /// "new name : what happens" of the row of `oldName`: a real folder delivers its files in an order of its own.
  std::string RowOf(const std::string& oldName) const {
    for (int row = 0; row < RowCount(); ++row)
      if (Cell(row, 0) == oldName) return Cell(row, 1) + " : " + Cell(row, 2);
    return "(no row)";
  }

  static std::string Moved(const std::string& newName) { return newName + " : " + PlannedStepText(PlannedStep::kMove); }

  const std::string source = workspace / "src";
  const std::string dest = workspace / "dst";
};

TEST_F(PreviewWindowTest, OpensFromTheWindowMenuWithThePlannedNamesAndChangesNothing) {
  ASSERT_EQ(host.Preview(), nullptr);
  const HWND preview = Open().Window();
  ASSERT_NE(preview, nullptr);
  EXPECT_TRUE(IsWindowVisible(preview));
  EXPECT_EQ(GetWindow(preview, GW_OWNER), window) << "it follows the main window";
  EXPECT_EQ(GetParent(preview), window);
  EXPECT_FALSE(GetWindowLongA(preview, GWL_STYLE) & WS_CHILD);
  EXPECT_TRUE(GetWindowLongA(preview, GWL_STYLE) & WS_THICKFRAME);
  EXPECT_EQ(Text(preview), text::kPreviewTitle);

  const std::vector<PlannedEntry> plan = Dialog().PlanFolderBatch(false).entries;
  ASSERT_EQ(plan.size(), 2u);
  EXPECT_EQ(RowCount(), 2);
  EXPECT_EQ(RowOf("a.jpg"), Moved("A000000_a.jpg"));
  EXPECT_EQ(RowOf("Thumbs.db"), std::string(" : ") + PlannedStepText(PlannedStep::kSkippedName));
  EXPECT_EQ(Text(host.Preview()->CountLine()), PlanCountLine(CountPlan(plan)));
  EXPECT_EQ(Text(host.Preview()->RefreshButton()), text::kPreviewRefresh);
  const char* headers[] = {text::kPreviewOldName, text::kPreviewNewName, text::kPreviewWhat};
  for (int column = 0; column < 3; ++column) {
    char header[64] = {};
    LVCOLUMNA format = {};
    format.mask = LVCF_TEXT;
    format.pszText = header;
    format.cchTextMax = sizeof header;
    SendMessageA(List(), LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&format));
    EXPECT_STREQ(header, headers[column]);
  }
  EXPECT_TRUE(GetWindowLongA(List(), GWL_STYLE) & LVS_OWNERDATA) << "the rows are drawn from the plan on demand";

  // Only a plan: nothing moved, nothing said, the main window as it was.
  EXPECT_TRUE(Exists(source + "\\a.jpg"));
  EXPECT_TRUE(host.boxes.empty());
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(Text(Item(IDC_COUNT)), "0");
}

TEST_F(PreviewWindowTest, F5OpensItEscAndTheCloseBoxHideIt) {
  // F5 where the focus is in the main window.
  PostMessageA(Item(IDOK), WM_KEYDOWN, VK_F5, 0);
  ASSERT_TRUE(PumpUntil(host, [&] { return host.Preview() && IsWindowVisible(host.Preview()->Window()); }));
  const HWND preview = host.Preview()->Window();
  EXPECT_EQ(RowOf("a.jpg"), Moved("A000000_a.jpg"));

  PostMessageA(List(), WM_KEYDOWN, VK_ESCAPE, 0);
  ASSERT_TRUE(PumpUntil(host, [&] { return !IsWindowVisible(preview); }));
  EXPECT_FALSE(host.Ended()) << "Esc in the preview is not the main window's exit";
  EXPECT_TRUE(IsWindowVisible(window));

  PostMessageA(Item(IDC_SRC_FOLDER), WM_KEYDOWN, VK_F5, 0);
  ASSERT_TRUE(PumpUntil(host, [&] { return IsWindowVisible(preview); }));
  EXPECT_EQ(host.Preview()->Window(), preview) << "the same window, shown again";

  SendMessageA(preview, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_FALSE(IsWindowVisible(preview));
  EXPECT_TRUE(IsWindow(preview));
  EXPECT_FALSE(host.Ended());
  EXPECT_TRUE(IsWindowVisible(window));
}

TEST_F(PreviewWindowTest, FollowsTheOptionsAndFoldersAndPlansAgainOnRefreshAndF5) {
  Open();
  ASSERT_EQ(RowOf("a.jpg"), Moved("A000000_a.jpg"));

  // A naming option clicked in the main window: appending off turns serial numbers on.
  SendMessageA(Item(IDC_APPEND), BM_CLICK, 0, 0);
  ASSERT_TRUE(PumpUntil(host, [&] { return RowOf("a.jpg") != Moved("A000000_a.jpg"); })) << RowOf("a.jpg");
  EXPECT_EQ(RowOf("a.jpg"), Moved("A000000_0001.jpg"));

  // A folder typed into the main window.
  const std::string other = workspace / "other";
  CreateDirectoryA(other.c_str(), nullptr);
  Write(other + "\\b.png", "b");
  SetWindowTextA(Item(IDC_SRC_FOLDER), other.c_str());
  ASSERT_TRUE(PumpUntil(host, [&] { return RowCount() == 1 && Cell(0, 0) == "b.png"; }));

  // Files that arrive later show after the refresh button or F5 in the preview.
  Write(other + "\\c.png", "c");
  SendMessageA(host.Preview()->RefreshButton(), BM_CLICK, 0, 0);
  EXPECT_EQ(RowCount(), 2);
  EXPECT_EQ(RowOf("c.png"), Moved("A000000_0002.png"));
  Write(other + "\\d.png", "d");
  PostMessageA(List(), WM_KEYDOWN, VK_F5, 0);
  ASSERT_TRUE(PumpUntil(host, [&] { return RowCount() == 3; }));
  EXPECT_EQ(Text(host.Preview()->CountLine()), PlanCountLine(CountPlan(Dialog().PlanFolderBatch(false).entries)));

  // A folder that does not exist: the batch's refusal in place of the counts, and no rows.
  SetWindowTextA(Item(IDC_DST_FOLDER), (workspace / "gone").c_str());
  ASSERT_TRUE(PumpUntil(host, [&] { return RowCount() == 0; }));
  EXPECT_EQ(Text(host.Preview()->CountLine()), Dialog().PlanFolderBatch(false).refusal);
  EXPECT_TRUE(host.boxes.empty());
}

TEST_F(PreviewWindowTest, AHiddenPreviewCatchesUpWhenShownAgain) {
  PreviewWindow& preview = Open();
  preview.Hide();
  SendMessageA(Item(IDC_APPEND), BM_CLICK, 0, 0);
  Open();
  EXPECT_EQ(RowOf("a.jpg"), Moved("A000000_0001.jpg")) << "planned as it is shown, not a moment later";
}

// The completion box is shown while the batch still runs: the preview's refresh, Esc and F5 then reach it
// through the batch's turns, and none of them may plan or stop the batch.
TEST_F(PreviewWindowTest, DuringABatchItNeitherPlansNorStopsItAndPlansAtItsEnd) {
  Open();
  bool sawBatch = false;
  host.whileNextBoxIsOpen = [&] {
    sawBatch = Dialog().IsRunning();
    SendMessageA(host.Preview()->RefreshButton(), BM_CLICK, 0, 0);
    PostMessageA(List(), WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageA(List(), WM_KEYDOWN, VK_F5, 0);
    host.KeepAlive();
    EXPECT_EQ(RowCount(), 2) << "no plan while the batch runs";
    EXPECT_TRUE(IsWindowVisible(host.Preview()->Window()));
  };
  SendMessageA(Item(IDOK), BM_CLICK, 0, 0);
  ASSERT_TRUE(sawBatch);
  EXPECT_FALSE(host.Ended()) << "Esc in the preview did not stop the batch and end the program";
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].type, UINT{MB_OK | MB_ICONINFORMATION});
  EXPECT_TRUE(Exists(dest + "\\A000000_a.jpg"));

  ASSERT_TRUE(PumpUntil(host, [&] { return RowCount() == 1; }));
  EXPECT_EQ(Cell(0, 0), "Thumbs.db");
}

TEST_F(PreviewWindowTest, FollowsTheMainWindowIntoTheTaskbarAndOutOfTheProgram) {
  const HWND preview = Open().Window();
  SendMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(PumpUntil(host, [&] { return !IsWindowVisible(preview); }));
  // A change while it is away shows when it comes back with the main window.
  SendMessageA(Item(IDC_APPEND), BM_CLICK, 0, 0);
  SendMessageA(window, WM_SYSCOMMAND, SC_RESTORE, 0);
  ASSERT_TRUE(PumpUntil(host, [&] { return IsWindowVisible(preview); }));
  EXPECT_EQ(RowOf("a.jpg"), Moved("A000000_0001.jpg"));

  SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(host.Ended());
  EXPECT_FALSE(IsWindowVisible(preview));
}

}  // namespace
}  // namespace kelvora::gui

// Times whole batches on real folders against the plain system calls they are made of:
//   batch_bench [WORK_FOLDER]   (default: a new folder under $TMPDIR or /tmp)
// The direct path over 10,000 and 100,000 empty files against a loop of renameat2 calls, the plan of a batch
// of 100,000 files against that batch, the list path over 998 files, and a move of 200 files of 1 MB across
// file systems (/dev/shm to WORK_FOLDER) against mv.
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/TarnwickDlg.h"
#include "platform/fs/posix/PosixFileSystem.h"
#include "res/resource.h"

namespace fs = std::filesystem;
using kelvora::WindowRect;

namespace {

class SilentHost final : public kelvora::DialogHost {
 public:
  int boxes = 0;
  std::string lastBox;
  void MessageBox(const std::string& text, int, const std::string&) override {
    ++boxes;
    lastBox = text;
  }
  std::optional<std::string> BrowseForFolder(const std::string&) override { return std::nullopt; }
  void ShowAboutBox() override {}
  WindowRect GetWindowRect() override { return {}; }
  void ShowWindowAt(int, int) override {}
  void DragAcceptFiles(bool) override {}
  void ControlChanged(int) override { ++changes; }
  void EndProcess(int) override {}
  long changes = 0;
};

double Seconds(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void Fresh(const fs::path& folder) {
  fs::remove_all(folder);
  fs::create_directories(folder);
}

void MakeFiles(const fs::path& folder, int count, std::size_t bytes) {
  const std::string block(bytes, 'k');
  for (int i = 0; i < count; ++i) {
    const std::string path = (folder / ("IMG_" + std::to_string(i) + ".JPG")).string();
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd < 0 || (bytes && ::write(fd, block.data(), bytes) != static_cast<ssize_t>(bytes))) std::exit(1);
    ::close(fd);
  }
}

// The physical limit: one renameat2 per file, in the order the folder delivers them.
double PlainRenameLoop(const fs::path& source, const fs::path& dest) {
  return Seconds([&] {
    DIR* dir = ::opendir(source.c_str());
    while (dirent* entry = ::readdir(dir)) {
      if (entry->d_name[0] == '.') continue;
      const std::string from = source.string() + "/" + entry->d_name;
      const std::string to = dest.string() + "/A000000_" + entry->d_name;
      if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) != 0) std::exit(2);
    }
    ::closedir(dir);
  });
}

void SetCheck(kelvora::CTarnwickDlg& dialog, int id, bool on) {
  if ((dialog.IsDlgButtonChecked(id) != 0) != on) dialog.Click(id);
}

// The main dialog with the options every timed batch uses.
void SetUpBatch(kelvora::CTarnwickDlg& dialog, const fs::path& source, const fs::path& dest, bool sorted) {
  dialog.OnInitDialog();
  dialog.TypeText(kelvora::IDC_SRC_FOLDER, source.string());
  dialog.TypeText(kelvora::IDC_DST_FOLDER, dest.string());
  // The settings file of the previous batch is read at start-up: set every box explicitly. Serial numbers
  // stop at 9999, so the names carry the code and the old name.
  SetCheck(dialog, kelvora::IDC_AUTO, true);
  SetCheck(dialog, kelvora::IDC_APPEND, true);
  SetCheck(dialog, kelvora::IDC_SERIAL_ON, false);
  SetCheck(dialog, kelvora::IDC_NO_CONFIRM, true);
  SetCheck(dialog, kelvora::IDC_SORT, sorted);
}

// One folder batch through the main dialog, as the button runs it.
double DialogBatch(const fs::path& source, const fs::path& dest, bool sorted, int& renamed) {
  SilentHost host;
  kelvora::PosixFileSystem fileSystem;
  kelvora::CTarnwickDlg dialog(host, fileSystem, "batch_bench");
  SetUpBatch(dialog, source, dest, sorted);
  host.boxes = 0;
  const double seconds = Seconds([&] { dialog.Click(kelvora::IDOK); });
  renamed = dialog.FileCount();
  if (host.boxes != 0) std::fprintf(stderr, "unexpected box: %s\n", host.lastBox.c_str());
  return seconds;
}

// The plan of the same batch, as the preview and --preview make it.
double PlanOfBatch(const fs::path& source, const fs::path& dest, std::size_t& planned) {
  SilentHost host;
  kelvora::PosixFileSystem fileSystem;
  kelvora::CTarnwickDlg dialog(host, fileSystem, "batch_bench");
  SetUpBatch(dialog, source, dest, false);
  return Seconds([&] { planned = dialog.PlanFolderBatch(false).entries.size(); });
}

void Report(const char* what, int files, double seconds) {
  std::printf("%-44s %7d files %9.3f s %10.0f files/s\n", what, files, seconds, files / seconds);
}

}  // namespace

int main(int argc, char** argv) {
  const char* tmp = std::getenv("TMPDIR");
  const fs::path work = argc > 1 ? fs::path(argv[1]) : fs::path(tmp ? tmp : "/tmp") / "kelvora-bench";
  Fresh(work);
  // The dialog keeps its settings in the current folder.
  fs::current_path(work);
  const fs::path source = work / "source";
  const fs::path dest = work / "dest";

  for (const int count : {10000, 100000}) {
    Fresh(source);
    Fresh(dest);
    MakeFiles(source, count, 0);
    const double plain = PlainRenameLoop(source, dest);
    Fresh(source);
    Fresh(dest);
    MakeFiles(source, count, 0);
    int renamed = 0;
    const double batch = DialogBatch(source, dest, false, renamed);
    Report("plain renameat2 loop", count, plain);
    Report("folder batch, direct path", renamed, batch);
    std::printf("%-44s %.2f\n", "throughput of the batch / plain loop", plain / batch);
  }

  {
    // Planning is asked of the file system only: a small fraction of the batch that does the work.
    Fresh(source);
    Fresh(dest);
    MakeFiles(source, 100000, 0);
    std::size_t planned = 0;
    // The first walk of a folder just written is slower than any later one, the batch's included.
    PlanOfBatch(source, dest, planned);
    const double plan = PlanOfBatch(source, dest, planned);
    // A destination that holds a file: the plan asks about every new name.
    MakeFiles(dest, 1, 0);
    std::size_t plannedAsking = 0;
    const double planAsking = PlanOfBatch(source, dest, plannedAsking);
    int renamed = 0;
    const double batch = DialogBatch(source, dest, false, renamed);
    Report("plan of the folder batch, empty destination", static_cast<int>(planned), plan);
    Report("plan, destination not empty", static_cast<int>(plannedAsking), planAsking);
    Report("the folder batch it plans", renamed, batch);
    std::printf("%-44s %.2f\n", "time of the plan / the batch", plan / batch);
    std::printf("%-44s %.2f\n", "the same, destination not empty", planAsking / batch);
  }

  Fresh(source);
  Fresh(dest);
  MakeFiles(source, 998, 0);
  int renamed = 0;
  const double listed = DialogBatch(source, dest, true, renamed);
  Report("folder batch, list path (sorted)", renamed, listed);

  const fs::path shm = "/dev/shm/kelvora-bench";
  struct stat shmStat{}, workStat{};
  Fresh(shm);
  if (::stat(shm.c_str(), &shmStat) == 0 && ::stat(work.c_str(), &workStat) == 0 && shmStat.st_dev != workStat.st_dev) {
    Fresh(dest);
    MakeFiles(shm, 200, 1 << 20);
    const double batch = DialogBatch(shm, dest, false, renamed);
    Report("folder batch across file systems, 1 MB each", renamed, batch);
    Fresh(dest);
    MakeFiles(shm, 200, 1 << 20);
    const std::string mv = "mv " + shm.string() + "/* " + dest.string() + "/";
    const double plainMv = Seconds([&] {
      if (std::system(mv.c_str()) != 0) std::exit(3);
    });
    Report("mv across file systems, 1 MB each", 200, plainMv);
    std::printf("%-44s %.2f\n", "throughput of the batch / mv", plainMv / batch);
  } else {
    std::printf("skipped the move across file systems: /dev/shm is on the same file system as %s\n", work.c_str());
  }
  fs::remove_all(shm);
  fs::current_path("/");
  fs::remove_all(work);
  return 0;
}

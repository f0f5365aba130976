// Times whole batches on real folders against the plain system calls they are made of, side by side in one
// run, and prints each comparison as the median ratio of several runs:
//   batch_bench [WORK_FOLDER] [RUNS]   (default: a new folder under $TMPDIR or /tmp, 5 runs)
// - the direct path over 100,000 empty files against a loop of renameat2 calls (aim: at least 0.9), and the
//   plan of that batch against the batch;
// - the list path over 998 files against the same loop over the same 998 files (aim: at least 0.9), and for
//   reference against that loop followed by one small file written and flushed, as the batch saves its settings;
// - 200 files of 1 MB moved from /dev/shm to WORK_FOLDER against mv followed by sync, which gives the same
//   durability (aim: at least 1.0), with plain mv beside it;
// - the peak memory of the 100,000-file batch.
// A ratio is the batch's throughput over the other's: above 1 the batch is faster. The two sides of a ratio
// run one after the other, taking turns at going first, so a disturbance of the machine meets both alike.
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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
  std::optional<std::string> BrowseForFolder(const std::string&, const std::string&) override { return std::nullopt; }
  void ShowAboutBox() override {}
  WindowRect GetWindowRect() override { return {}; }
  void ShowWindowAt(int, int) override {}
  void DragAcceptFiles(bool) override {}
  void ControlChanged(int) override {}
  void KeepAlive() override {}
  void EndProcess(int) override {}
};

double Seconds(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void Fresh(const fs::path& folder) {
  fs::remove_all(folder);
  fs::create_directories(folder);
}

// Empty source and destination folders, the source filled with `count` files of `bytes` bytes, and nothing
// of the filling left unwritten to disk to slow down what is timed next.
void Prepare(const fs::path& source, const fs::path& dest, int count, std::size_t bytes) {
  Fresh(source);
  Fresh(dest);
  const std::string block(bytes, 'k');
  for (int i = 0; i < count; ++i) {
    const std::string path = (source / ("IMG_" + std::to_string(i) + ".JPG")).string();
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd < 0 || (bytes && ::write(fd, block.data(), bytes) != static_cast<ssize_t>(bytes))) std::exit(1);
    ::close(fd);
  }
  ::sync();
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

// One folder batch through the main dialog, as the button runs it; only the click is timed.
double DialogBatch(const fs::path& source, const fs::path& dest, bool sorted, int expected) {
  SilentHost host;
  kelvora::PosixFileSystem fileSystem;
  kelvora::CTarnwickDlg dialog(host, fileSystem, "batch_bench");
  SetUpBatch(dialog, source, dest, sorted);
  host.boxes = 0;
  const double seconds = Seconds([&] { dialog.Click(kelvora::IDOK); });
  if (host.boxes != 0 || dialog.FileCount() != expected) {
    std::fprintf(stderr, "the batch renamed %d of %d files; last box: %s\n", dialog.FileCount(), expected,
                 host.lastBox.c_str());
    std::exit(4);
  }
  return seconds;
}

// The plan of the same batch, as the preview and --preview make it; only the planning is timed.
double PlanOfBatch(const fs::path& source, const fs::path& dest, int expected) {
  SilentHost host;
  kelvora::PosixFileSystem fileSystem;
  kelvora::CTarnwickDlg dialog(host, fileSystem, "batch_bench");
  SetUpBatch(dialog, source, dest, false);
  std::size_t planned = 0;
  const double seconds = Seconds([&] { planned = dialog.PlanFolderBatch(false).entries.size(); });
  if (planned != static_cast<std::size_t>(expected)) std::exit(5);
  return seconds;
}

void Shell(const std::string& command) {
  if (std::system(command.c_str()) != 0) std::exit(3);
}

// Times both sides `runs` times, taking turns at going first, and returns the batch's and the other's times.
struct SideBySide {
  std::vector<double> batch;
  std::vector<double> other;
};
SideBySide Compare(int runs, const std::function<double()>& batch, const std::function<double()>& other) {
  SideBySide times;
  for (int run = 0; run < runs; ++run) {
    if (run % 2 == 0) {
      times.batch.push_back(batch());
      times.other.push_back(other());
    } else {
      times.other.push_back(other());
      times.batch.push_back(batch());
    }
  }
  return times;
}

std::vector<double> Ratios(const SideBySide& times) {
  std::vector<double> ratios;
  for (std::size_t i = 0; i < times.batch.size(); ++i) ratios.push_back(times.other[i] / times.batch[i]);
  return ratios;
}

void ReportTimes(const char* what, int files, const std::vector<double>& seconds) {
  const double median = Median(seconds);
  std::printf("  %-42s %7d files  median %8.4f s  %9.0f files/s\n", what, files, median, files / median);
}

// The median ratio, with each run's beside it: on a busy machine they spread widely.
void ReportRatio(const char* what, const SideBySide& times, double aim) {
  const std::vector<double> ratios = Ratios(times);
  const double ratio = Median(ratios);
  std::printf("  %-42s %.2f  (aim: at least %.1f) %s\n    runs:", what, ratio, aim, ratio >= aim ? "met" : "NOT MET");
  for (const double run : ratios) std::printf(" %.2f", run);
  std::printf("\n");
}

// Peak resident memory of this process since the last reset, in kB. Resetting needs Linux 4.0 or later.
void ResetPeakMemory() { std::ofstream("/proc/self/clear_refs") << "5"; }
long PeakMemoryKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  const char* tmp = std::getenv("TMPDIR");
  const fs::path work = argc > 1 ? fs::path(argv[1]) : fs::path(tmp ? tmp : "/tmp") / "kelvora-bench";
  const int runs = std::max(5, argc > 2 ? std::atoi(argv[2]) : 5);
  Fresh(work);
  // The dialog keeps its settings in the current folder.
  fs::current_path(work);
  const fs::path source = work / "source";
  const fs::path dest = work / "dest";
  std::printf("Kelvora batch benchmark: %d runs of each side, work folder %s\n", runs, work.c_str());

  constexpr int kMany = 100000;
  std::printf("Direct path, %d empty files\n", kMany);
  long peakKb = 0;
  const SideBySide direct = Compare(
      runs,
      [&] {
        Prepare(source, dest, kMany, 0);
        ResetPeakMemory();
        const double seconds = DialogBatch(source, dest, false, kMany);
        peakKb = std::max(peakKb, PeakMemoryKb());
        return seconds;
      },
      [&] {
        Prepare(source, dest, kMany, 0);
        return PlainRenameLoop(source, dest);
      });
  ReportTimes("plain renameat2 loop", kMany, direct.other);
  ReportTimes("folder batch, direct path", kMany, direct.batch);
  ReportRatio("ratio batch / plain loop", direct, 0.9);
  std::printf("  %-42s %ld kB (whole process, peak resident)\n", "peak memory of the batch", peakKb);

  {
    // Planning only asks the file system: a small part of the time of the batch it plans, timed above. An
    // empty destination takes no name; one that holds a file is asked about every new name.
    std::vector<double> plans;
    std::vector<double> plansAsking;
    for (int run = 0; run < runs; ++run) {
      Prepare(source, dest, kMany, 0);
      plans.push_back(PlanOfBatch(source, dest, kMany));
      ::close(::open((dest / "taken").c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644));
      plansAsking.push_back(PlanOfBatch(source, dest, kMany));
    }
    ReportTimes("plan of that batch, empty destination", kMany, plans);
    ReportTimes("plan, destination holding a file", kMany, plansAsking);
    std::printf("  %-42s %.2f, %.2f with a file in the destination\n", "plan time / batch time (medians)",
                Median(plans) / Median(direct.batch), Median(plansAsking) / Median(direct.batch));
  }

  // A listing looks at 1000 directory entries, "." and ".." among them.
  constexpr int kListed = 998;
  std::printf("List path, %d empty files, sorted\n", kListed);
  const auto listBatch = [&] {
    Prepare(source, dest, kListed, 0);
    return DialogBatch(source, dest, true, kListed);
  };
  const SideBySide listed = Compare(
      std::max(runs, 15), listBatch,
      [&] {
        Prepare(source, dest, kListed, 0);
        return PlainRenameLoop(source, dest);
      });
  // The batch ends by saving the settings, flushed to disk; on a journalling file system that flush also
  // commits the renames before it, which the plain loop never waits for.
  const SideBySide flushed = Compare(
      std::max(runs, 15), listBatch,
      [&] {
        Prepare(source, dest, kListed, 0);
        return PlainRenameLoop(source, dest) + Seconds([&] {
                 kelvora::PosixFileSystem().ReplaceFile((work / "flushed.ini").string(), std::string(120, 'x'));
               });
      });
  ReportTimes("plain renameat2 loop", kListed, listed.other);
  ReportTimes("folder batch, list path", kListed, listed.batch);
  ReportRatio("ratio batch / plain loop", listed, 0.9);
  ReportTimes("plain loop, then a file flushed", kListed, flushed.other);
  ReportRatio("ratio batch / that, for reference", flushed, 0.9);

  const fs::path shm = "/dev/shm/kelvora-bench";
  struct stat shmStat {};
  struct stat workStat {};
  Fresh(shm);
  if (::stat(shm.c_str(), &shmStat) == 0 && ::stat(work.c_str(), &workStat) == 0 && shmStat.st_dev != workStat.st_dev) {
    constexpr int kPhotos = 200;
    std::printf("Across file systems, %d files of 1 MB, /dev/shm to %s\n", kPhotos, work.c_str());
    const std::string mv = "mv " + shm.string() + "/* " + dest.string() + "/";
    const SideBySide durable = Compare(
        runs,
        [&] {
          Prepare(shm, dest, kPhotos, 1 << 20);
          return DialogBatch(shm, dest, false, kPhotos);
        },
        [&] {
          Prepare(shm, dest, kPhotos, 1 << 20);
          return Seconds([&] { Shell(mv + " && sync"); });
        });
    std::vector<double> plainMv;
    for (int run = 0; run < runs; ++run) {
      Prepare(shm, dest, kPhotos, 1 << 20);
      plainMv.push_back(Seconds([&] { Shell(mv); }));
    }
    ReportTimes("mv, then sync", kPhotos, durable.other);
    ReportTimes("folder batch (copies flushed in groups)", kPhotos, durable.batch);
    ReportTimes("mv alone (nothing flushed), for reference", kPhotos, plainMv);
    ReportRatio("ratio batch / mv and sync", durable, 1.0);
  } else {
    std::printf("Skipped the move across file systems: /dev/shm is on the same file system as %s\n", work.c_str());
  }
  fs::remove_all(shm);
  fs::current_path("/");
  fs::remove_all(work);
  return 0;
}

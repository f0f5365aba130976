// The program run from the command line on real folders, without a display.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <functional>

#include "platform/TempFolder.h"
#include "rules/SettingsRecord.h"

extern char** environ;

namespace kelvora {
namespace {

struct Result {
  int status = -1;
  std::string out;
  std::string err;
};

class CommandLine : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const std::string& folder : {m_work, m_source, m_dest}) ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
  }

  /// Runs the program in the work folder with no display of any kind; `platform` sets QT_QPA_PLATFORM.
  Result Run(const std::vector<std::string>& args, const char* platform = nullptr) {
    std::vector<std::string> env;
    for (char** var = environ; *var; ++var) {
      const std::string_view entry(*var);
      if (entry.starts_with("DISPLAY=") || entry.starts_with("WAYLAND_DISPLAY=") ||
          entry.starts_with("QT_QPA_PLATFORM="))
        continue;
      env.emplace_back(entry);
    }
    if (platform) env.push_back(std::string("QT_QPA_PLATFORM=") + platform);
    std::vector<std::string> argv{KELVORA_EXECUTABLE};
    argv.insert(argv.end(), args.begin(), args.end());

    const std::string outPath = m_root / "out";
    const std::string errPath = m_root / "err";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addchdir_np(&actions, m_work.c_str());
    std::vector<char*> argp, envp;
    for (std::string& arg : argv) argp.push_back(arg.data());
    for (std::string& var : env) envp.push_back(var.data());
    argp.push_back(nullptr);
    envp.push_back(nullptr);
    Result result;
    pid_t pid = 0;
    EXPECT_EQ(posix_spawn(&pid, argp[0], &actions, nullptr, argp.data(), envp.data()), 0);
    posix_spawn_file_actions_destroy(&actions);
    int wait = 0;
    EXPECT_EQ(waitpid(pid, &wait, 0), pid);
    EXPECT_TRUE(WIFEXITED(wait)) << "ended by signal " << WTERMSIG(wait);
    result.status = WIFEXITED(wait) ? WEXITSTATUS(wait) : -1;
    result.out = test::ReadBytes(outPath);
    result.err = test::ReadBytes(errPath);
    return result;
  }

  /// Settings that name the two folders: the typed text "IMG-" and serial numbers from `serial`.
  void Settings(const char* serial = "1", int autoCode = 0) {
    SettingsRecord record = DefaultSettings();
    record.sourceFolder = m_source;
    record.destFolder = m_dest;
    record.prefixText = "IMG-";
    record.serialText = serial;
    record.serialOn = 1;
    record.appendOn = 0;
    record.autoCodeOn = autoCode;
    test::WriteBytes(m_work + "/Kelvora.ini", FormatSettingsLine(record));
  }
  SettingsRecord Saved() { return *ParseSettingsLine(test::ReadBytes(m_work + "/Kelvora.ini")); }
  void AddFiles(std::initializer_list<const char*> names) {
    for (const char* name : names) test::WriteBytes(m_source + "/" + name, name);
  }

  test::TempFolder m_root;
  const std::string m_work = m_root / "work";
  const std::string m_source = m_root / "source";
  const std::string m_dest = m_root / "dest";
};

TEST_F(CommandLine, HelpPrintsTheUsageInJapaneseAndEnglish) {
  const Result result = Run({"--help"});
  EXPECT_EQ(result.status, 0);
  EXPECT_NE(result.out.find("使い方: kelvora"), std::string::npos);
  EXPECT_NE(result.out.find("Usage: kelvora"), std::string::npos);
  EXPECT_EQ(result.err, "");
  EXPECT_FALSE(test::Exists(m_work + "/Kelvora.ini"));
}

TEST_F(CommandLine, ArgumentsNotUnderstoodPrintAShortUsageAndTouchNothing) {
  AddFiles({"a.jpg"});
  const std::vector<std::vector<std::string>> cases = {{"--bogus"},
                                                       {"--source", "x"},
                                                       {"--run", "--move-only"},
                                                       {"--preview", "--run"},
                                                       {"--run", "--run"},
                                                       {"--run", "--source"},
                                                       {"--run", "--dest", "a", "--dest", "b"},
                                                       {"run"}};
  for (const std::vector<std::string>& args : cases) {
    std::string joined;
    for (const std::string& arg : args) joined += arg + " ";
    SCOPED_TRACE(joined);
    const Result result = Run(args);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("Usage: kelvora"), std::string::npos);
  }
  EXPECT_FALSE(test::Exists(m_work + "/Kelvora.ini"));
  EXPECT_EQ(test::Names(m_source), std::vector<std::string>{"a.jpg"});
}

TEST_F(CommandLine, PreviewPrintsThePlanAndChangesNothing) {
  Settings();
  AddFiles({"b.jpg", "Thumbs.db"});
  const std::string before = test::ReadBytes(m_work + "/Kelvora.ini");
  Result result = Run({"--preview"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, "");
  // One line per entry, in walk order: which order a real folder gives is its own; compare as a set.
  std::vector<std::string> lines;
  for (std::size_t start = 0, end; (end = result.out.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(result.out.substr(start, end - start));
  std::sort(lines.begin(), lines.end());
  EXPECT_EQ(lines, (std::vector<std::string>{"Thumbs.db\t\t移動しない（対象外の名前）", "b.jpg\tIMG-0001.jpg\t移動"}));
  EXPECT_EQ(test::Names(m_source), (std::vector<std::string>{"Thumbs.db", "b.jpg"}));
  EXPECT_EQ(test::ReadBytes(m_work + "/Kelvora.ini"), before);

  result = Run({"--preview", "--move-only"});
  EXPECT_NE(result.out.find("b.jpg\tb.jpg\t移動\n"), std::string::npos);
  // A name taken in the destination: the plan ends there, and says so by its status.
  test::WriteBytes(m_dest + "/IMG-0001.jpg", "taken");
  result = Run({"--preview"});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.out.find("b.jpg\tIMG-0001.jpg\tここで中断（同名のファイルが存在します）\n"), std::string::npos);
}

TEST_F(CommandLine, RunsGoOnFromRunToRunWithTheSavedSettings) {
  Settings("1", 1);
  AddFiles({"a.jpg"});
  Result result = Run({"--run"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "完了！  1 件\n");
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(test::Names(m_dest), std::vector<std::string>{"A000000_0001.jpg"});
  // The code advanced and was saved: the next run, like the next run in the window, takes the next code.
  AddFiles({"b.jpg"});
  result = Run({"--run"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(test::Names(m_dest), (std::vector<std::string>{"A000000_0001.jpg", "A00000A_0001.jpg"}));
  EXPECT_EQ(Saved().codeChars[0], "B");
  EXPECT_EQ(Saved().sourceFolder, m_source);
}

TEST_F(CommandLine, FoldersGivenReplaceTheSavedOnesAndAreSavedAsTyped) {
  Settings("7");
  const std::string other = m_root / "other";
  ASSERT_EQ(mkdir(other.c_str(), 0755), 0);
  test::WriteBytes(other + "/c.png", "c");
  const Result result = Run({"--run", "--source", other, "--dest", m_dest});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(test::Names(m_dest), std::vector<std::string>{"IMG-0007.png"});
  EXPECT_EQ(Saved().sourceFolder, other);
  EXPECT_EQ(Saved().serialText, "8");  // a typed text numbers on from run to run
}

TEST_F(CommandLine, MoveOnlyKeepsTheNames) {
  Settings();
  AddFiles({"a.jpg", "b.txt"});
  const Result result = Run({"--move-only"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(test::Names(m_dest), (std::vector<std::string>{"a.jpg", "b.txt"}));
  EXPECT_EQ(Saved().serialText, "1");
}

TEST_F(CommandLine, ExitStatusTellsANormalEndFromAStopOrAFailure) {
  struct Case {
    const char* name;
    std::function<void()> arrange;
    int status;
    const char* err;
  };
  const Case cases[] = {
      {"NoFiles", [] {}, 0, "ファイルは１件もありません。\n"},
      {"TakenName",
       [&] {
         AddFiles({"a.jpg"});
         test::WriteBytes(m_dest + "/IMG-0001.jpg", "x");
       },
       1, "既に同名のファイルが存在しています（ EEXIST ）。"},
      {"SerialLimit",
       [&] {
         AddFiles({"a.jpg", "b.jpg"});
         Settings("9999");
       },
       1, "自動連番カウンターがオーバーフローしました（9999）。\n一旦処理を終了します。\n"},
      {"MissingSource", [&] { rmdir(m_source.c_str()); }, 1,
       "「変換対象フォルダ」にて指定されたフォルダは存在しません。再度確認して下さい。\n"},
      {"SettingsNotWritable",
       [&] {
         AddFiles({"a.jpg"});
         unlink((m_work + "/Kelvora.ini").c_str());
         mkdir((m_work + "/Kelvora.ini").c_str(), 0755);
       },
       1, "ｉｎｉファイルのオープンに失敗しました。現在の設定は保存されません。\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Settings();
    c.arrange();
    const Result result = Run({"--run", "--source", m_source, "--dest", m_dest});
    EXPECT_EQ(result.status, c.status);
    EXPECT_NE(result.err.find(c.err), std::string::npos) << result.err;
    rmdir((m_work + "/Kelvora.ini").c_str());
    mkdir(m_source.c_str(), 0755);
    for (const std::string& name : test::Names(m_dest)) unlink((m_dest + "/" + name).c_str());
    for (const std::string& name : test::Names(m_source)) unlink((m_source + "/" + name).c_str());
  }
}

TEST_F(CommandLine, NeverConnectsToADisplay) {
  // Were the window toolkit started, it would have to reach this platform's display, and there is none.
  Settings();
  AddFiles({"a.jpg"});
  for (const char* platform : {"xcb", "wayland"}) {
    SCOPED_TRACE(platform);
    EXPECT_EQ(Run({"--preview"}, platform).status, 0);
  }
  const Result result = Run({"--run"}, "xcb");
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(test::Names(m_dest), std::vector<std::string>{"IMG-0001.jpg"});
}

}  // namespace
}  // namespace kelvora

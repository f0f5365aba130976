// Ctrl+C during a batch run from the command line, on real folders.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <sstream>

#include "cli/CommandLine.h"
#include "platform/TempFolder.h"
#include "rules/SettingsRecord.h"
#include "system/SlowFileSystem.h"

namespace kelvora {
namespace {

class Interrupt : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const std::string& folder : {m_work, m_source, m_dest}) ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
    SettingsRecord record = DefaultSettings();
    record.prefixText = "IMG-";
    record.serialText = "1";
    record.serialOn = 1;
    record.appendOn = 0;
    record.autoCodeOn = 0;
    test::WriteBytes(m_work + "/Kelvora.ini", FormatSettingsLine(record));
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg", "d.jpg"}) test::WriteBytes(m_source + "/" + name, name);
    ASSERT_EQ(getcwd(m_previousFolder, sizeof m_previousFolder), m_previousFolder);
    ASSERT_EQ(chdir(m_work.c_str()), 0);
  }
  void TearDown() override { ASSERT_EQ(chdir(m_previousFolder), 0); }

  int RunInterruptedAfter(int moves) {
    // Each move takes a tenth of a second on the batch's clock, so the batch gives a turn after every file.
    fileSystem.msPerMove = 100;
    fileSystem.afterMove = [moves](int done) {
      if (done == moves) std::raise(SIGINT);
    };
    cli::Command command;
    command.action = cli::Command::kRun;
    command.source = m_source;
    command.dest = m_dest;
    return cli::RunCommand(command, fileSystem, "/usr/bin/kelvora", out, err);
  }

  test::TempFolder m_root;
  const std::string m_work = m_root / "work";
  const std::string m_source = m_root / "source";
  const std::string m_dest = m_root / "dest";
  char m_previousFolder[4096] = {};
  test::SlowFileSystem fileSystem;
  std::ostringstream out;
  std::ostringstream err;
};

TEST_F(Interrupt, StopsTheBatchBeforeTheNextFileAndSavesWhereItGot) {
  EXPECT_EQ(RunInterruptedAfter(2), cli::kExitStopped);
  EXPECT_EQ(test::Names(m_dest), (std::vector<std::string>{"IMG-0001.jpg", "IMG-0002.jpg"}));
  EXPECT_EQ(test::Names(m_source).size(), 2u);
  EXPECT_EQ(ParseSettingsLine(test::ReadBytes(m_work + "/Kelvora.ini"))->serialText, "3");
  EXPECT_EQ(out.str(), "");
}

TEST_F(Interrupt, IsCaughtOnlyWhileTheBatchRuns) {
  // A handler left behind would keep the next Ctrl+C from ending the program.
  const auto previous = std::signal(SIGINT, SIG_DFL);
  ASSERT_EQ(RunInterruptedAfter(1), cli::kExitStopped);
  EXPECT_EQ(std::signal(SIGINT, previous), SIG_DFL);
}

}  // namespace
}  // namespace kelvora

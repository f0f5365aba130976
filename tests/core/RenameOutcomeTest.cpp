#include <algorithm>
#include <cerrno>

#include "DialogFixture.h"
#include "rules/AutoCode.h"
#include "res/Strings.h"

namespace kelvora::testing {
namespace {

std::string OldNew(const char* head, const std::string& oldPath, const std::string& newPath, const char* tail) {
  return std::string(head) + "\n\nOldName = " + oldPath + "\n\nNewName = " + newPath + "\n\n" + tail;
}

class RenameOutcomeTest : public DialogFixture, public ::testing::WithParamInterface<Road> {
 protected:
  bool Dropped() const { return GetParam() == Road::kDropped; }

  /// Starts with a.jpg, b.jpg and c.jpg in the source folder, ready to run on this road.
  void StartWithFiles(const SettingsRecord& record) {
    Start(record);
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) fs.AddFile(record.sourceFolder, name);
    m_source = record.sourceFolder;
    if (GetParam() == Road::kListed) dlg->Click(IDC_SORT);
    if (Dropped()) dlg->Click(IDC_DRAGDROP);
  }

  /// The folder batch, or a drop of everything in the source folder.
  void Run() {
    fs.log.clear();
    RunOn(GetParam(), m_source);
  }

  /// Fails every move of `name` from the source with `error` for its first `times` attempts.
  void Fail(const std::string& name, int error, int times = 1 << 30) {
    fs.failMove = [path = m_source + "/" + name, error, times](const std::string& from, const std::string&,
                                                                int attempt) -> std::optional<int> {
      if (from == path && attempt <= times) return error;
      return std::nullopt;
    };
  }

  /// The first of the two boxes of a failure that is neither a denial, an existing name nor an invalid name,
  /// with the line that names its cause, if any.
  Box OtherFailure(int error, const char* cause = nullptr) const {
    std::string text = std::string(text::kRenameFailed) + " errno = " + std::to_string(error) + "\n" +
                       text::kNameTooLong + "\n" + (Dropped() ? text::kDroppedRunNameHint : text::kFolderRunNameHint);
    if (cause) text += std::string("\n") + cause;
    return {text, kIconHand};
  }
  static Box CheckName(const std::string& oldPath, const std::string& newPath) {
    return {OldNew(text::kCheckName, oldPath, newPath, text::kRunInterrupted), kIconHand};
  }

  std::string m_source = kSource;
};

// ---------------------------------------------------------------------------------------------------------
// Access denied.

TEST_P(RenameOutcomeTest, AccessDeniedOnceIsTriedAgainUnderTheSameName) {
  SettingsRecord record = TypedTextSettings();
  record.namingMode = 0;
  StartWithFiles(record);
  fs.failMove = [this](const std::string& from, const std::string&, int attempt) -> std::optional<int> {
    if (from != kSource + "/b.jpg" || attempt > 1) return std::nullopt;
    fs.now += 3600;  // the retry must not take a new stamp
    return kMoveAccessDenied;
  };
  Run();
  EXPECT_EQ(host.TakeBoxes(), Boxes{DoneBox(3)});
  EXPECT_EQ(Text(IDC_COUNT), "3");
  EXPECT_EQ(dlg->FileCount(), 3);
  EXPECT_EQ(dlg->RetryCount(), 1);
  EXPECT_EQ(fs.Content(kDest + "/20240131-235959_0002.jpg"), "b.jpg");
  EXPECT_EQ(fs.Content(kDest + "/20240131-235959_0003.jpg"), "c.jpg");
  EXPECT_EQ(fs.Count("sleep 1000"), 1);

  const auto sleep = std::find(fs.log.begin(), fs.log.end(), "sleep 1000");
  ASSERT_TRUE(sleep != fs.log.begin() && sleep != fs.log.end() && sleep + 1 != fs.log.end());
  if (Dropped()) {
    EXPECT_EQ(*(sleep + 1), "move /src/b.jpg -> /dst/20240131-235959_0002.jpg");
  } else {
    // The walk is closed while the run waits, and a new one starts after the pause.
    EXPECT_EQ(*(sleep - 1), "close /src");
    EXPECT_EQ(*(sleep + 1), "open /src");
  }
}

TEST_P(RenameOutcomeTest, AccessDeniedForEverGivesUpAfterFivePauses) {
  StartWithFiles(TypedTextSettings());
  Fail("b.jpg", kMoveAccessDenied);
  Run();
  EXPECT_EQ(host.TakeBoxes(), (Boxes{OtherFailure(13, text::kCauseAccessDenied),
                                     CheckName("/src/b.jpg", "/dst/IMG-0002.jpg")}));
  EXPECT_EQ(fs.Count("sleep 1000"), 5);
  EXPECT_EQ(fs.Count("move /src/b.jpg "), 6);
  EXPECT_EQ(fs.Names(kDest), std::vector<std::string>{"IMG-0001.jpg"});
  EXPECT_EQ(fs.Names(kSource), (std::vector<std::string>{"b.jpg", "c.jpg"}));
  // The run goes on numbering after the number the failed name took.
  EXPECT_EQ(Saved().serialText, "3");
}

TEST_P(RenameOutcomeTest, PausesAreCountedPerFile) {
  StartWithFiles(TypedTextSettings());
  fs.failMove = [](const std::string& from, const std::string&, int attempt) -> std::optional<int> {
    if ((from == "/src/a.jpg" || from == "/src/b.jpg") && attempt <= 4) return kMoveAccessDenied;
    return std::nullopt;
  };
  Run();
  EXPECT_EQ(host.TakeBoxes(), Boxes{DoneBox(3)});
  EXPECT_EQ(fs.Count("sleep 1000"), 8);
  EXPECT_EQ(fs.Names(kDest), (std::vector<std::string>{"IMG-0001.jpg", "IMG-0002.jpg", "IMG-0003.jpg"}));
}

// ---------------------------------------------------------------------------------------------------------
// The target name exists.

TEST_P(RenameOutcomeTest, ExistingTargetAtTheThirdFileStopsAfterTwoAndNeverOverwrites) {
  SettingsRecord record = TypedTextSettings();
  record.autoCodeOn = 1;
  StartWithFiles(record);
  fs.AddFile(kDest, "A000000_0003.jpg", kAttrNormal, "older photo");
  Run();
  EXPECT_EQ(host.TakeBoxes(),
            (Boxes{{OldNew(text::kTargetExists, "/src/c.jpg", "/dst/A000000_0003.jpg", text::kRunInterrupted),
                    kIconHand}}));
  EXPECT_EQ(fs.Content(kDest + "/A000000_0003.jpg"), "older photo");
  EXPECT_EQ(fs.Names(kSource), std::vector<std::string>{"c.jpg"});
  EXPECT_EQ(Text(IDC_COUNT), "2");
  EXPECT_EQ(dlg->NextSerial(), 3);
  EXPECT_EQ(Writes(), 1);
  // A drop leaves the code to the switching-off of dropping, and shows where its numbering goes on.
  const char* code = Dropped() ? "A000000" : "A00000A";
  EXPECT_EQ(dlg->CodeText(), code);
  EXPECT_EQ(ComposeCodeText(Saved().codeChars), code);
  EXPECT_EQ(Text(IDC_SERIAL), Dropped() ? "3" : "1");

  // Once the name is free, the next run completes as usual.
  std::erase_if(fs.folders[kDest], [](const auto& entry) { return entry.content == "older photo"; });
  Run();
  EXPECT_EQ(host.TakeBoxes(), Boxes{DoneBox(1)});
  EXPECT_TRUE(fs.Names(kSource).empty());
}

TEST_P(RenameOutcomeTest, ExistingTargetAtTheFirstFileRenamesNothing) {
  SettingsRecord record = TypedTextSettings();
  record.autoCodeOn = 1;
  StartWithFiles(record);
  fs.AddFile(kDest, "A000000_0001.jpg");
  Run();
  EXPECT_EQ(host.TakeBoxes(),
            (Boxes{{OldNew(text::kTargetExists, "/src/a.jpg", "/dst/A000000_0001.jpg", text::kRunInterrupted),
                    kIconHand},
                   {text::kNoFiles, kIconNone}}));
  EXPECT_EQ(fs.Names(kSource).size(), 3u);
  EXPECT_EQ(Text(IDC_COUNT), "0");
  EXPECT_EQ(dlg->NextSerial(), 1);
  EXPECT_EQ(dlg->CodeText(), "A000000");
  EXPECT_EQ(Writes(), 0);
}

// ---------------------------------------------------------------------------------------------------------
// Invalid names and every other failure end the run at once.

TEST_P(RenameOutcomeTest, InvalidNameEndsTheRunAtOnce) {
  StartWithFiles(TypedTextSettings());
  Fail("b.jpg", kMoveInvalidName);
  Run();
  if (Dropped()) {
    EXPECT_EQ(host.TakeBoxes(),
              (Boxes{{OldNew(text::kDroppedNotFound, "/src/b.jpg", "/dst/IMG-0002.jpg", text::kCheckFile),
                      kIconHand}}));
  } else {
    EXPECT_EQ(host.TakeBoxes(),
              (Boxes{{std::string(text::kInvalidName) + "\n" + text::kInvalidNameHint, kIconHand}}));
  }
  // Both show how far the run got; the number the failed name took is not given back.
  EXPECT_EQ(Text(IDC_COUNT), "1");
  EXPECT_EQ(Text(IDC_SERIAL), "3");
  EXPECT_EQ(fs.Names(kSource), (std::vector<std::string>{"b.jpg", "c.jpg"}));
  EXPECT_EQ(Saved().serialText, "3");
}

TEST_P(RenameOutcomeTest, VanishedFileEndsTheRunWithTwoBoxes) {
  StartWithFiles(TypedTextSettings());
  Fail("b.jpg", 2);
  dlg->SetDlgItemText(IDC_COUNT, "7");  // left by an earlier run: every road clears it before renaming
  Run();
  EXPECT_EQ(host.TakeBoxes(), (Boxes{OtherFailure(2, text::kCauseVanished),
                                     CheckName("/src/b.jpg", "/dst/IMG-0002.jpg")}));
  EXPECT_EQ(fs.Names(kSource), (std::vector<std::string>{"b.jpg", "c.jpg"}));
  EXPECT_EQ(Text(IDC_COUNT), "1");
  EXPECT_EQ(Text(IDC_SERIAL), "3");
  EXPECT_EQ(Writes(), 1);
}

TEST_P(RenameOutcomeTest, FailureAfterRenamingEndsLikeAStopSoTheNextRunMeetsNoOwnName) {
  SettingsRecord record = TypedTextSettings();
  record.autoCodeOn = 1;
  StartWithFiles(record);
  Fail("b.jpg", 2, 1);
  Run();
  EXPECT_EQ(host.TakeBoxes(),
            (Boxes{OtherFailure(2, text::kCauseVanished), CheckName("/src/b.jpg", "/dst/A000000_0002.jpg")}));
  EXPECT_EQ(fs.Names(kDest), std::vector<std::string>{"A000000_0001.jpg"});
  EXPECT_EQ(Text(IDC_COUNT), "1");
  EXPECT_EQ(Writes(), 1);
  // The folder run advances the code as its end would; a drop leaves that to the switching-off of dropping
  // and numbers on instead.
  const char* code = Dropped() ? "A000000" : "A00000A";
  EXPECT_EQ(dlg->CodeText(), code);
  EXPECT_EQ(ComposeCodeText(Saved().codeChars), code);
  EXPECT_EQ(Text(IDC_SERIAL), Dropped() ? "3" : "1");

  Run();
  EXPECT_EQ(host.TakeBoxes(), Boxes{DoneBox(2)});
  EXPECT_TRUE(fs.Names(kSource).empty());
  EXPECT_EQ(fs.folders.at(kDest).size(), 3u);
}

TEST_P(RenameOutcomeTest, FailureReportNamesTheCausesAUserCanActOn) {
  const std::pair<int, const char*> cases[] = {
      {kMoveNoSpace, text::kCauseNoSpace},       {kMoveQuotaExceeded, text::kCauseQuotaExceeded},
      {kMoveReadOnly, text::kCauseReadOnly},     {kMoveTooLarge, text::kCauseTooLarge},
      {kMoveCrossDevice, text::kCauseCrossDevice}, {kMoveVanished, text::kCauseVanished},
      {5, nullptr},                              {36, nullptr},
  };
  for (const auto& [error, cause] : cases) {
    SCOPED_TRACE(error);
    fs = FakeFileSystem{};
    StartWithFiles(TypedTextSettings());
    Fail("a.jpg", error);
    Run();
    EXPECT_EQ(host.TakeBoxes(), (Boxes{OtherFailure(error, cause), CheckName("/src/a.jpg", "/dst/IMG-0001.jpg")}));
    EXPECT_EQ(fs.Count("sleep"), 0);
  }
}

TEST_P(RenameOutcomeTest, SourceThatKeepsChangingIsTriedAgainThenReportedAsSuch) {
  StartWithFiles(TypedTextSettings());
  // a.jpg is still being written for two attempts; b.jpg never settles.
  fs.failMove = [](const std::string& from, const std::string&, int attempt) -> std::optional<int> {
    if (from == "/src/b.jpg" || (from == "/src/a.jpg" && attempt <= 2)) return kMoveSourceChanged;
    return std::nullopt;
  };
  Run();
  EXPECT_EQ(host.TakeBoxes(), (Boxes{OtherFailure(kMoveSourceChanged, text::kCauseSourceChanged),
                                     CheckName("/src/b.jpg", "/dst/IMG-0002.jpg")}));
  EXPECT_EQ(fs.Names(kDest), std::vector<std::string>{"IMG-0001.jpg"});
  EXPECT_EQ(fs.Count("sleep 1000"), 7);
}

TEST_P(RenameOutcomeTest, PathsPastTheLimitAreRefusedBeforeTheFileSystemSeesThem) {
  // The new name is IMG-0001.jpg (12 bytes) and the old name a.jpg (5): the limit is 259 bytes each.
  struct Case {
    std::size_t sourceLength, destLength;
    bool fits;
  };
  for (const Case c : {Case{253, 4, true}, Case{254, 4, false}, Case{4, 246, true}, Case{4, 247, false}}) {
    SCOPED_TRACE(std::to_string(c.sourceLength) + "/" + std::to_string(c.destLength));
    fs = FakeFileSystem{};
    SettingsRecord record = TypedTextSettings();
    record.sourceFolder = c.sourceLength == 4 ? kSource : "/" + std::string(c.sourceLength - 1, 's');
    record.destFolder = c.destLength == 4 ? kDest : "/" + std::string(c.destLength - 1, 'd');
    fs.AddFolder(record.destFolder);
    StartWithFiles(record);
    fs.folders[record.sourceFolder].resize(1);
    Run();
    const std::string oldPath = record.sourceFolder + "/a.jpg";
    const std::string newPath = record.destFolder + "/IMG-0001.jpg";
    if (c.fits) {
      EXPECT_EQ(host.TakeBoxes(), Boxes{DoneBox(1)});
      EXPECT_NE(fs.Find(newPath), nullptr);
    } else {
      EXPECT_EQ(host.TakeBoxes(), (Boxes{OtherFailure(ENAMETOOLONG), CheckName(oldPath, newPath)}));
      EXPECT_EQ(fs.Count("move "), 0);
      EXPECT_EQ(Writes(), 0);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Roads, RenameOutcomeTest,
                         ::testing::Values(Road::kListed, Road::kWalked, Road::kDropped), [](const auto& info) {
                           switch (info.param) {
                             case Road::kListed: return "Listed";
                             case Road::kWalked: return "Walked";
                             case Road::kDropped: return "Dropped";
                           }
                           return "";
                         });

// ---------------------------------------------------------------------------------------------------------
// What an invalid name leaves in the serial display of a folder run.

struct InvalidNameRow {
  const char* name;
  int namingMode;
  int autoCodeOn;
  int button;
  const char* typedSerial;
  const char* failing;  // the name the move is refused under
  const char* serialAfter;
  const char* code;  // the run renamed a file before the failure, so an auto-code run advances the code
};

class InvalidNameDisplay : public DialogFixture, public ::testing::WithParamInterface<InvalidNameRow> {};

TEST_P(InvalidNameDisplay, SerialShowsTheNextNumberOnlyForTypedText) {
  const InvalidNameRow& row = GetParam();
  SettingsRecord record = FolderSettings();
  record.prefixText = "IMG-";
  record.serialOn = 1;
  record.appendOn = 0;
  record.namingMode = row.namingMode;
  record.autoCodeOn = row.autoCodeOn;
  Start(record);
  fs.AddFile(kSource, "a.jpg");
  fs.AddFile(kSource, "b.jpg");
  dlg->TypeText(IDC_SERIAL, row.typedSerial);
  fs.failMove = [&row](const std::string&, const std::string& to, int) -> std::optional<int> {
    if (to == kDest + "/" + row.failing) return kMoveInvalidName;
    return std::nullopt;
  };
  dlg->Click(row.button);
  EXPECT_EQ(host.TakeBoxes(), (Boxes{{std::string(text::kInvalidName) + "\n" + text::kInvalidNameHint, kIconHand}}));
  EXPECT_EQ(Text(IDC_COUNT), "1");
  EXPECT_EQ(Text(IDC_SERIAL), row.serialAfter);
  EXPECT_EQ(dlg->CodeText(), row.code);
}

INSTANTIATE_TEST_SUITE_P(Modes, InvalidNameDisplay,
                         ::testing::Values(InvalidNameRow{"TypedText", 1, 0, IDOK, "5", "IMG-0006.jpg", "7", "A000000"},
                                           InvalidNameRow{"AutoCode", 1, 1, IDOK, "5", "A000000_0006.jpg", "1",
                                                          "A00000A"},
                                           InvalidNameRow{"Stamp", 0, 0, IDOK, "5", "20240131-235959_0006.jpg", "1",
                                                          "A000000"},
                                           InvalidNameRow{"MoveOnly", 1, 0, IDC_MOVE_ONLY, "05", "b.jpg", "05",
                                                          "A000000"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kelvora::testing

#include "rules/SettingsRecord.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "rules/CodeAlphabet.h"

namespace kelvora {

// Failure messages show the record as its line rather than as raw bytes.
static void PrintTo(const SettingsRecord& record, std::ostream* os) {
  *os << testing::PrintToString(FormatSettingsLine(record));
}

namespace {

constexpr std::int32_t kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kInt32Min = std::numeric_limits<std::int32_t>::min();

const char kDefaultLine[] =
    "C:\\temp001\tC:\\temp002\tIMG001-\t1\t0\t0\t0\t0\t0\t0\tA\t0\t0\t0\t0\t0\t0\t1\t1\t0\t1\t0\t1\t0\t0\t219\t219\t";

// Field numbers on the line, counted from 0.
enum Field {
  kSource = 0,
  kDest = 1,
  kPrefix = 2,
  kSerial = 3,
  kChar0 = 4,
  kIndex0 = 11,
  kAutoCode = 18,
  kSerialOn = 19,
  kAppend = 20,
  kNoConfirm = 21,
  kNamingMode = 22,
  kLeft = 23,
  kTop = 24,
  kRight = 25,
  kBottom = 26,
};

std::vector<std::string> DefaultFields() {
  return {"C:\\temp001", "C:\\temp002", "IMG001-", "1", "0", "0", "0", "0", "0", "0", "A", "0", "0", "0",
          "0",         "0",          "0",       "1", "1", "0", "1", "0", "1", "0", "0", "219", "219"};
}

std::string Join(const std::vector<std::string>& fields) {
  std::string line;
  for (const std::string& field : fields) line += field + '\t';
  return line;
}

std::string DefaultLineWith(const std::vector<std::pair<int, std::string>>& changes) {
  std::vector<std::string> fields = DefaultFields();
  for (const auto& [field, value] : changes) fields[field] = value;
  return Join(fields);
}

SettingsRecord DefaultsWith(const std::function<void(SettingsRecord&)>& change) {
  SettingsRecord record = DefaultSettings();
  change(record);
  return record;
}

SettingsRecord WithCode(SettingsRecord record, const std::array<std::int32_t, kCodeLength>& indices) {
  record.codeIndex = indices;
  for (int k = 0; k < kCodeLength; ++k) record.codeChars[k] = std::string(1, CodeAlphabet[indices[k]]);
  return record;
}

// ---------------------------------------------------------------------------------------------------------
// Lines in, records out.

struct ParseCase {
  std::string name;
  std::string line;
  std::optional<SettingsRecord> expected;
};

void PrintTo(const ParseCase& c, std::ostream* os) { *os << c.name; }

class ParseSettingsLineTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseSettingsLineTest, ReadsTheExpectedRecord) {
  EXPECT_EQ(ParseSettingsLine(GetParam().line), GetParam().expected);
}

std::string CaseName(const testing::TestParamInfo<ParseCase>& info) { return info.param.name; }

const std::string kDefaultWithoutLastTab = std::string(kDefaultLine).substr(0, sizeof kDefaultLine - 2);

INSTANTIATE_TEST_SUITE_P(
    LineEnds, ParseSettingsLineTest,
    testing::Values(ParseCase{"DefaultLine", kDefaultLine, DefaultSettings()},
                    ParseCase{"TabThenLf", std::string(kDefaultLine) + "\n", DefaultSettings()},
                    ParseCase{"TabThenCrLf", std::string(kDefaultLine) + "\r\n", DefaultSettings()},
                    ParseCase{"LfInsteadOfLastTab", kDefaultWithoutLastTab + "\n", DefaultSettings()},
                    ParseCase{"CrLfInsteadOfLastTab", kDefaultWithoutLastTab + "\r\n", DefaultSettings()},
                    ParseCase{"NothingAfterLastField", kDefaultWithoutLastTab, DefaultSettings()},
                    ParseCase{"NulEndsTheLine", std::string(kDefaultLine) + std::string("\0junk\t\t9\t", 9),
                              DefaultSettings()}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    FieldCount, ParseSettingsLineTest,
    testing::Values(
        ParseCase{"Empty", "", std::nullopt}, ParseCase{"OnlyTabs", std::string(40, '\t'), std::nullopt},
        ParseCase{"TwentySixFields", kDefaultWithoutLastTab.substr(0, kDefaultWithoutLastTab.rfind('\t') + 1),
                  std::nullopt},
        ParseCase{"EmptyFieldLeavesTwentySix", DefaultLineWith({{kChar0 + 3, ""}}), std::nullopt},
        ParseCase{"NulInsideTheFields", DefaultLineWith({{kChar0 + 4, std::string("0\0", 2)}}), std::nullopt},
        ParseCase{"LeadingTabsSkipped", "\t\t" + std::string(kDefaultLine), DefaultSettings()},
        ParseCase{"TabRunIsOneSeparator", DefaultLineWith({{kSerial, "1\t\t"}}), DefaultSettings()},
        ParseCase{"FieldsBeyondTwentySevenIgnored", std::string(kDefaultLine) + "extra\t-1\t",
                  DefaultSettings()},
        // An empty prefix written without its placeholder: every later field moves one place forward.
        ParseCase{"EmptyFieldShiftsTheRest", DefaultLineWith({{kPrefix, ""}}) + "7\t",
                  DefaultsWith([](SettingsRecord& r) {
                    r = WithCode(r, {0, 0, 0, 0, 0, 1, 1});
                    r.prefixText = "1";
                    r.serialText = "0";
                    r.autoCodeOn = 0;
                    r.serialOn = 1;
                    r.appendOn = 0;
                    r.noConfirm = 1;
                    r.namingMode = 0;
                    r.windowLeft = 0;
                    r.windowTop = 219;
                    r.windowRight = 219;
                    r.windowBottom = 7;
                  })}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    Integers, ParseSettingsLineTest,
    testing::Values(
        ParseCase{"CheckStateTwoKept",
                  DefaultLineWith({{kAutoCode, "2"}, {kSerialOn, "2"}, {kAppend, "2"}, {kNoConfirm, "2"},
                                   {kNamingMode, "2"}}),
                  DefaultsWith([](SettingsRecord& r) {
                    r.autoCodeOn = r.serialOn = r.appendOn = r.noConfirm = r.namingMode = 2;
                  })},
        ParseCase{"WindowTakenUnchanged",
                  DefaultLineWith({{kLeft, "-3000"}, {kTop, "-1"}, {kRight, "0"}, {kBottom, "100000"}}),
                  DefaultsWith([](SettingsRecord& r) {
                    r.windowLeft = -3000;
                    r.windowTop = -1;
                    r.windowRight = 0;
                    r.windowBottom = 100000;
                  })},
        ParseCase{"RangeEdgesExact", DefaultLineWith({{kLeft, "2147483647"}, {kTop, "-2147483648"}}),
                  DefaultsWith([](SettingsRecord& r) {
                    r.windowLeft = kInt32Max;
                    r.windowTop = kInt32Min;
                  })},
        ParseCase{"HugeClamped",
                  DefaultLineWith({{kLeft, "2147483648"},
                                   {kTop, "-2147483649"},
                                   {kRight, "99999999999999999999999999"},
                                   {kBottom, "-99999999999999999999999999"}}),
                  DefaultsWith([](SettingsRecord& r) {
                    r.windowLeft = r.windowRight = kInt32Max;
                    r.windowTop = r.windowBottom = kInt32Min;
                  })},
        ParseCase{"DigitsUpToTheFirstOther",
                  DefaultLineWith({{kAutoCode, "abc"},
                                   {kSerialOn, "12abc"},
                                   {kAppend, " \v+7"},
                                   {kNoConfirm, "-"},
                                   {kNamingMode, "x1"},
                                   {kLeft, "-5px"},
                                   {kTop, "+-4"},
                                   {kRight, "219\r"}}),
                  DefaultsWith([](SettingsRecord& r) {
                    r.autoCodeOn = 0;
                    r.serialOn = 12;
                    r.appendOn = 7;
                    r.noConfirm = 0;
                    r.namingMode = 0;
                    r.windowLeft = -5;
                    r.windowTop = 0;
                  })}),
    CaseName);

const std::string kEAcute = "\xC3\xA9";        // two bytes
const std::string kEuro = "\xE2\x82\xAC";      // three bytes
const std::string kGClef = "\xF0\x9D\x84\x9E";  // four bytes

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseSettingsLineTest,
    testing::Values(
        ParseCase{"PrefixPlaceholderReadsEmpty", DefaultLineWith({{kPrefix, " "}}),
                  DefaultsWith([](SettingsRecord& r) { r.prefixText = ""; })},
        ParseCase{"SerialPlaceholderReadsOne", DefaultLineWith({{kSerial, " "}}),
                  DefaultsWith([](SettingsRecord& r) { r.serialText = "1"; })},
        ParseCase{"OnlyTheSingleSpaceIsAPlaceholder",
                  DefaultLineWith({{kSource, " "}, {kPrefix, "  "}, {kSerial, " 7"}}),
                  DefaultsWith([](SettingsRecord& r) {
                    r.sourceFolder = " ";
                    r.prefixText = "  ";
                    r.serialText = " 7";
                  })},
        ParseCase{"LongAsciiCutAt259", DefaultLineWith({{kSource, std::string(300, 'a')}}),
                  DefaultsWith([](SettingsRecord& r) { r.sourceFolder = std::string(259, 'a'); })},
        ParseCase{"Exactly259Kept", DefaultLineWith({{kDest, std::string(256, 'd') + kEuro}}),
                  DefaultsWith([](SettingsRecord& r) { r.destFolder = std::string(256, 'd') + kEuro; })},
        ParseCase{"TwoByteCharacterOverTheEdgeDropped",
                  DefaultLineWith({{kPrefix, std::string(258, 'p') + kEAcute + "z"}}),
                  DefaultsWith([](SettingsRecord& r) { r.prefixText = std::string(258, 'p'); })},
        ParseCase{"ThreeByteCharacterOverTheEdgeDropped",
                  DefaultLineWith({{kSerial, std::string(257, '9') + kEuro}}),
                  DefaultsWith([](SettingsRecord& r) { r.serialText = std::string(257, '9'); })},
        ParseCase{"FourByteCharactersCutBetween", DefaultLineWith({{kSource, "/" + [] {
                                                                     std::string s;
                                                                     for (int i = 0; i < 70; ++i) s += kGClef;
                                                                     return s;
                                                                   }()}}),
                  DefaultsWith([](SettingsRecord& r) {
                    r.sourceFolder = "/";
                    for (int i = 0; i < 64; ++i) r.sourceFolder += kGClef;
                  })}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    Code, ParseSettingsLineTest,
    testing::Values(
        ParseCase{"IndexAboveAlphabetGivesDefaultCode",
                  DefaultLineWith({{kChar0 + 3, "Z"}, {kIndex0 + 3, "27"}, {kIndex0 + 1, "5"}}), DefaultSettings()},
        ParseCase{"NegativeIndexGivesDefaultCode", DefaultLineWith({{kChar0, "0"}, {kIndex0, "-1"}}),
                  DefaultSettings()},
        ParseCase{"ClampedIndexGivesDefaultCode", DefaultLineWith({{kIndex0 + 6, "99999999999"}}),
                  DefaultSettings()},
        ParseCase{"CharsDisagreeingWithIndicesRebuilt",
                  DefaultLineWith({{kChar0 + 0, "Q"},
                                   {kChar0 + 1, "Q"},
                                   {kChar0 + 2, "x"},
                                   {kChar0 + 6, "0"},
                                   {kIndex0 + 0, "26"},
                                   {kIndex0 + 1, "0"},
                                   {kIndex0 + 2, "5"},
                                   {kIndex0 + 6, "0"}}),
                  WithCode(DefaultSettings(), {26, 0, 5, 0, 0, 0, 0})},
        ParseCase{"LongCodeCharRebuilt", DefaultLineWith({{kChar0 + 2, kEAcute}, {kIndex0 + 2, "3"}}),
                  WithCode(DefaultSettings(), {0, 0, 3, 0, 0, 0, 1})},
        ParseCase{"SeveralByteCodeCharRebuilt", DefaultLineWith({{kChar0 + 4, "ZZ"}, {kIndex0 + 4, "26"}}),
                  WithCode(DefaultSettings(), {0, 0, 0, 0, 26, 0, 1})}),
    CaseName);

// ---------------------------------------------------------------------------------------------------------
// Records written and read back.

TEST(FormatSettingsLineTest, DefaultsGiveTheDefaultLine) {
  EXPECT_EQ(FormatSettingsLine(DefaultSettings()), kDefaultLine);
}

struct RoundTripCase {
  std::string name;
  SettingsRecord written;
  SettingsRecord read;
};

void PrintTo(const RoundTripCase& c, std::ostream* os) { *os << c.name; }

class SettingsRoundTripTest : public testing::TestWithParam<RoundTripCase> {};

TEST_P(SettingsRoundTripTest, ReadsBackWhatWasWritten) {
  EXPECT_EQ(ParseSettingsLine(FormatSettingsLine(GetParam().written)), GetParam().read);
}

const SettingsRecord kEveryFieldSet = WithCode(DefaultsWith([](SettingsRecord& r) {
                                                 r.sourceFolder = "/home/ana/Bilder/\xC3\x9Crlaub 2024";
                                                 r.destFolder = "/mnt/ziel";
                                                 r.prefixText = "Foto ";
                                                 r.serialText = "0042";
                                                 r.autoCodeOn = 2;
                                                 r.serialOn = 1;
                                                 r.appendOn = 0;
                                                 r.noConfirm = 1;
                                                 r.namingMode = 2;
                                                 r.windowLeft = kInt32Min;
                                                 r.windowTop = -50;
                                                 r.windowRight = 1920;
                                                 r.windowBottom = kInt32Max;
                                               }),
                                               {26, 1, 0, 13, 2, 25, 9});

INSTANTIATE_TEST_SUITE_P(
    Exact, SettingsRoundTripTest,
    testing::Values(RoundTripCase{"Defaults", DefaultSettings(), DefaultSettings()},
                    RoundTripCase{"EveryFieldSet", kEveryFieldSet, kEveryFieldSet},
                    RoundTripCase{"EmptyPrefix", DefaultsWith([](SettingsRecord& r) { r.prefixText = ""; }),
                                  DefaultsWith([](SettingsRecord& r) { r.prefixText = ""; })},
                    RoundTripCase{"TextsOf259Bytes", DefaultsWith([](SettingsRecord& r) {
                                    r.sourceFolder = std::string(259, 's');
                                    r.destFolder = std::string(257, 'd') + kEAcute;
                                  }),
                                  DefaultsWith([](SettingsRecord& r) {
                                    r.sourceFolder = std::string(259, 's');
                                    r.destFolder = std::string(257, 'd') + kEAcute;
                                  })}),
    [](const testing::TestParamInfo<RoundTripCase>& info) { return info.param.name; });

// What a field cannot hold comes back changed, but the line stays whole: the other fields read back as written.
INSTANTIATE_TEST_SUITE_P(
    Changed, SettingsRoundTripTest,
    testing::Values(
        RoundTripCase{"EmptySerialReadsOne", DefaultsWith([](SettingsRecord& r) { r.serialText = ""; }),
                      DefaultSettings()},
        RoundTripCase{"SpacePrefixReadsEmpty", DefaultsWith([](SettingsRecord& r) { r.prefixText = " "; }),
                      DefaultsWith([](SettingsRecord& r) { r.prefixText = ""; })},
        RoundTripCase{"EmptyFolderReadsSpace", DefaultsWith([](SettingsRecord& r) { r.destFolder = ""; }),
                      DefaultsWith([](SettingsRecord& r) { r.destFolder = " "; })},
        RoundTripCase{"TabTypedInTextReadsSpace",
                      DefaultsWith([](SettingsRecord& r) {
                        r.prefixText = "a\tb";
                        r.serialText = "\t";
                      }),
                      DefaultsWith([](SettingsRecord& r) {
                        r.prefixText = "a b";
                        r.serialText = "1";
                      })},
        RoundTripCase{"LineBreakInTextReadsSpaces",
                      DefaultsWith([](SettingsRecord& r) { r.sourceFolder = "x\r\ny\n"; }),
                      DefaultsWith([](SettingsRecord& r) { r.sourceFolder = "x  y "; })}),
    [](const testing::TestParamInfo<RoundTripCase>& info) { return info.param.name; });

TEST(StorableTextTest, CutsAtACharacterBoundaryAndBlanksSeparators) {
  const std::string kEuro = "\xE2\x82\xAC";  // three bytes
  EXPECT_EQ(StorableText(std::string(300, 'a')), std::string(259, 'a'));
  EXPECT_EQ(StorableText(std::string(257, 'a') + kEuro), std::string(257, 'a'));
  EXPECT_EQ(StorableText(std::string(256, 'a') + kEuro + "z"), std::string(256, 'a') + kEuro);
  EXPECT_EQ(StorableText(std::string("a\tb\r\nc") + '\0' + "d"), "a b  c d");
  EXPECT_EQ(StorableText(""), "");
}

// Texts as a user could type them: long, with characters of one to four bytes, blanks and separators.
std::string RandomTypedText(std::mt19937& random) {
  static const std::vector<std::string> pieces = {"a", "Z", "0", " ", "%", "\t", "\n", "\r",
                                                  "\xC3\xA9", "\xE5\x86\x99", "\xE7\x9C\x9F",
                                                  "\xF0\x9F\x93\xB7"};
  std::string text;
  const std::size_t length = random() % 420;
  while (text.size() < length) text += pieces[random() % pieces.size()];
  return text;
}

TEST(StorableTextTest, EveryCapturedRecordReadsBackAsWritten) {
  std::mt19937 random(20261211);
  for (int i = 0; i < 500; ++i) {
    SettingsRecord captured = DefaultSettings();
    for (std::string* text : {&captured.sourceFolder, &captured.destFolder, &captured.prefixText,
                              &captured.serialText})
      *text = StorableText(RandomTypedText(random));
    // The folders are never empty in the record; the placeholders of the two texts read back as specified.
    if (captured.sourceFolder.empty()) captured.sourceFolder = "/";
    if (captured.destFolder.empty()) captured.destFolder = "/";
    SettingsRecord expected = captured;
    if (expected.prefixText == " ") expected.prefixText.clear();
    if (expected.serialText.empty() || expected.serialText == " ") expected.serialText = "1";
    SCOPED_TRACE(testing::PrintToString(FormatSettingsLine(captured)));
    ASSERT_EQ(ParseSettingsLine(FormatSettingsLine(captured)), expected);
  }
}

// ---------------------------------------------------------------------------------------------------------
// Damaged files.

void ExpectHoldable(const SettingsRecord& record) {
  for (const std::string* text : {&record.sourceFolder, &record.destFolder, &record.prefixText, &record.serialText})
    EXPECT_LE(text->size(), 259u);
  for (int k = 0; k < kCodeLength; ++k) {
    ASSERT_GE(record.codeIndex[k], 0);
    ASSERT_LT(record.codeIndex[k], kCodeDigits);
    EXPECT_EQ(record.codeChars[k], std::string(1, CodeAlphabet[record.codeIndex[k]]));
  }
}

std::string RandomBytes(std::mt19937& random, std::size_t size) {
  std::uniform_int_distribution<int> byte(0, 255);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(byte(random));
  return bytes;
}

// Random bytes that neither end the line nor separate fields, so 27 of them make a record to repair.
std::string RandomField(std::mt19937& random) {
  std::string field = RandomBytes(random, 1 + random() % 400);
  for (char& c : field)
    if (c == '\0' || c == '\t') c = 'x';
  return field;
}

TEST(ParseSettingsLineTest, GarbageGivesNothingOrAHoldableRecord) {
  std::mt19937 random(20240601);
  std::vector<std::string> lines = {std::string(4095, '\0'), std::string(4095, '\t'), std::string(4095, '\xFF')};
  for (int i = 0; i < 20; ++i) {
    lines.push_back(RandomBytes(random, 4095));
    std::string fields;
    for (int k = 0; k < kSettingsFieldCount; ++k) fields += RandomField(random) + '\t';
    lines.push_back(fields + '\0' + RandomBytes(random, 100));
  }
  int records = 0;
  for (const std::string& line : lines) {
    SCOPED_TRACE(testing::PrintToString(line.substr(0, 64)));
    const std::optional<SettingsRecord> record = ParseSettingsLine(line);
    if (!record) continue;
    ++records;
    ExpectHoldable(*record);
  }
  EXPECT_GT(records, 0) << "no garbage line made it to the repairs";
}

}  // namespace
}  // namespace kelvora

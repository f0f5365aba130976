#include <gtest/gtest.h>
#include <stdlib.h>
#include <time.h>

#include <cstdint>
#include <limits>

#include "platform/fs/posix/PosixFileSystem.h"

namespace kelvora {
namespace {

// The tests run with TZ=UTC under CTest; setting it here keeps a direct run from depending on the machine.
class LocalTimeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TZ", "UTC", 1);
    tzset();
  }
  PosixFileSystem fs_;
};

TEST_F(LocalTimeTest, FormatsWithStrftime) {
  EXPECT_EQ(fs_.FormatLocalTime(0, "%Y-%m-%d %H:%M:%S"), "1970-01-01 00:00:00");
  EXPECT_EQ(fs_.FormatLocalTime(981173106, "%d.%m.%y %Hh%M"), "03.02.01 04h05");
}

TEST_F(LocalTimeTest, GivesAnEmptyTextWhenTheTimeCannotBeConverted) {
  EXPECT_EQ(fs_.FormatLocalTime(std::numeric_limits<std::int64_t>::max(), "%Y"), "");
}

}  // namespace
}  // namespace kelvora

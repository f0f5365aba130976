#include <windows.h>

#include <gtest/gtest.h>

#include "platform/text/Multibyte.h"

namespace kelvora {
namespace {

// Runs under a Japanese (932) and a Western (1252) system: the same bytes are one character on the first
// and two on the second.
TEST(AnsiCodePage, FollowsTheSystemsCodePage) {
  const bool japanese = GetACP() == 932;
  const std::string path = "C:\\\x95\x5C\\\x83\x5C.jpg";  // C:\表\ソ.jpg in Shift-JIS
  EXPECT_EQ(FindLastChar(path, '\\', kSystemCodePage), japanese ? 5u : 7u);
  EXPECT_EQ(CharLength(path, 3, kSystemCodePage), japanese ? 2u : 1u);
  EXPECT_EQ(CutToCharBoundary(path, 4, kSystemCodePage), japanese ? 3u : 4u);
  EXPECT_EQ(CharLength("\x95", 0, kSystemCodePage), 1u) << "a lead byte at the end stands alone";
}

}  // namespace
}  // namespace kelvora

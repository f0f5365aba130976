#include "platform/text/Multibyte.h"

namespace kelvora {
namespace {

bool IsShiftJisLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

bool IsShiftJisTrail(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

bool IsUtf8Continuation(unsigned char b) { return (b & 0xC0) == 0x80; }

std::size_t Utf8SequenceLength(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 1;
}

}  // namespace

std::size_t Utf8CharLength(std::string_view text, std::size_t pos) {
  const std::size_t length = Utf8SequenceLength(static_cast<unsigned char>(text[pos]));
  if (pos + length > text.size()) return 1;
  for (std::size_t i = 1; i < length; ++i)
    if (!IsUtf8Continuation(static_cast<unsigned char>(text[pos + i]))) return 1;
  return length;
}

std::size_t CharLength(std::string_view text, std::size_t pos, CodePage codePage) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  switch (codePage) {
    case CodePage::kShiftJis:
      if (IsShiftJisLead(lead) && pos + 1 < text.size() && IsShiftJisTrail(static_cast<unsigned char>(text[pos + 1])))
        return 2;
      return 1;
    case CodePage::kUtf8:
      return Utf8CharLength(text, pos);
    case CodePage::kAnsi:
      return AnsiCharLength(text, pos);
  }
  return 1;
}

std::size_t FindLastChar(std::string_view text, char c, CodePage codePage) {
  std::size_t found = std::string_view::npos;
  for (std::size_t pos = 0; pos < text.size(); pos += CharLength(text, pos, codePage))
    if (text[pos] == c) found = pos;
  return found;
}

std::size_t CutToCharBoundary(std::string_view text, std::size_t maxBytes, CodePage codePage) {
  if (text.size() <= maxBytes) return text.size();
  std::size_t boundary = 0;
  for (std::size_t pos = 0; pos <= maxBytes; pos += CharLength(text, pos, codePage)) boundary = pos;
  return boundary;
}

}  // namespace kelvora

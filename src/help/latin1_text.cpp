#include "help/latin1_text.h"

#include <cstdint>

namespace {

// How many bytes a sequence of two to four bytes starting with lead holds, or 0 for ASCII, which
// Latin-1 shares, and for a byte that starts no sequence (0xc0 and 0xc1 would start only
// overlong ones).
std::size_t sequenceLength(unsigned char lead) {
  if (lead >= 0xc2 && lead <= 0xdf)
    return 2;
  if (lead >= 0xe0 && lead <= 0xef)
    return 3;
  return lead >= 0xf0 && lead <= 0xf4 ? 4 : 0;
}

} // namespace

std::string latin1FromUtf8(const std::string &text) {
  // The least code point each length may carry: anything below is an overlong form.
  constexpr uint32_t Least[] = {0, 0, 0x80, 0x800, 0x10000};
  std::string latin1;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = sequenceLength(static_cast<unsigned char>(text[at]));
    uint32_t code = static_cast<unsigned char>(text[at]) & (0xff >> (length + 1));
    std::size_t taken = 1;
    for (; taken < length && at + taken < text.size() &&
           (static_cast<unsigned char>(text[at + taken]) & 0xc0) == 0x80;
         ++taken)
      code = code << 6 | (static_cast<unsigned char>(text[at + taken]) & 0x3f);
    const bool character = length > 0 && taken == length && code >= Least[length] &&
                           code <= 0x10ffff && (code < 0xd800 || code > 0xdfff);
    // ASCII, or a byte that is not UTF-8: kept as it is.
    if (!character) {
      latin1 += text[at++];
      continue;
    }
    latin1 += code <= 0xff ? static_cast<char>(code) : '?';
    at += length;
  }
  return latin1;
}

#pragma once
// Texts of the scenario are single-byte Windows-1252. The program's own source
// holds them as UTF-8; these are the only conversions between the two. The
// UTF-8 to Windows-1252 direction is constexpr, so that the program's fixed
// texts are converted when it is built (io/text_writer.h).

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace scenario {

namespace cp1252 {

// Code points of the bytes 0x80 to 0x9F; 0 marks the unassigned ones.
inline constexpr char32_t kAlti[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                       0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                       0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                       0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// Thrown (never at build time, where it stops the build instead).
[[noreturn]] void senza_byte(char32_t cp);
[[noreturn]] void utf8_malformato();

constexpr unsigned char byte_di(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<unsigned char>(cp);
  for (int i = 0; i < 32; ++i)
    if (kAlti[i] != 0 && kAlti[i] == cp) return static_cast<unsigned char>(0x80 + i);
  senza_byte(cp);
}

}  // namespace cp1252

// How many continuation bytes follow a UTF-8 lead byte (0 to 3), or -1 when
// the byte cannot start a character.
constexpr int utf8_continuation_count(unsigned char lead) {
  if (lead < 0x80) return 0;
  if ((lead >> 5) == 6) return 1;
  if ((lead >> 4) == 14) return 2;
  if ((lead >> 3) == 30) return 3;
  return -1;
}

// Converts `utf8` to Windows-1252, handing each byte to `metti` in order. A
// character the code page lacks, or malformed UTF-8, throws
// std::invalid_argument.
template <typename Metti>
constexpr void utf8_in_cp1252(std::string_view utf8, Metti&& metti) {
  for (size_t i = 0; i < utf8.size();) {
    unsigned char c = static_cast<unsigned char>(utf8[i]);
    const int extra = utf8_continuation_count(c);  // four-byte characters have no Windows-1252 form
    if (extra < 0 || extra > 2 || (extra > 0 && i + extra >= utf8.size())) cp1252::utf8_malformato();
    char32_t cp = extra == 0 ? c : extra == 1 ? (c & 0x1F) : (c & 0x0F);
    for (int k = 1; k <= extra; ++k) {
      unsigned char cont = static_cast<unsigned char>(utf8[i + k]);
      if ((cont >> 6) != 2) cp1252::utf8_malformato();
      cp = (cp << 6) | (cont & 0x3F);
    }
    // The shortest form only: an overlong form (C0 AF for '/', C0 80 for NUL)
    // would slip a byte past every check made on the text.
    if ((extra == 1 && cp < 0x80) || (extra == 2 && cp < 0x800)) cp1252::utf8_malformato();
    metti(static_cast<char>(cp1252::byte_di(cp)));
    i += 1 + extra;
  }
}

// UTF-8 to Windows-1252, as utf8_in_cp1252.
std::string utf8_a_cp1252(std::string_view utf8);

// Windows-1252 to UTF-8; the five unassigned bytes become U+FFFD.
std::string cp1252_a_utf8(std::string_view bytes);

// Lower case of one Windows-1252 byte (accented capitals included).
unsigned char minuscola_cp1252(unsigned char c);

}  // namespace scenario

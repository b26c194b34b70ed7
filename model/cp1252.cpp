#include "model/cp1252.h"

#include <stdexcept>

namespace scenario {
namespace {

// Code points of the bytes 0x80 to 0x9F; 0 marks the unassigned ones.
constexpr char32_t kAlti[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t codice_di(unsigned char b) {
  if (b >= 0x80 && b < 0xA0) return kAlti[b - 0x80];
  return b;
}

void aggiungi_utf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += char(cp);
  } else if (cp < 0x800) {
    out += char(0xC0 | (cp >> 6));
    out += char(0x80 | (cp & 0x3F));
  } else {
    out += char(0xE0 | (cp >> 12));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  }
}

unsigned char byte_di(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<unsigned char>(cp);
  for (int i = 0; i < 32; ++i)
    if (kAlti[i] != 0 && kAlti[i] == cp) return static_cast<unsigned char>(0x80 + i);
  throw std::invalid_argument("character U+" + std::to_string(unsigned(cp)) + " has no Windows-1252 byte");
}

}  // namespace

int utf8_continuation_count(unsigned char lead) {
  if (lead < 0x80) return 0;
  if ((lead >> 5) == 6) return 1;
  if ((lead >> 4) == 14) return 2;
  if ((lead >> 3) == 30) return 3;
  return -1;
}

std::string utf8_a_cp1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    unsigned char c = static_cast<unsigned char>(utf8[i]);
    const int extra = utf8_continuation_count(c);  // four-byte characters have no Windows-1252 form
    if (extra < 0 || extra > 2 || (extra > 0 && i + extra >= utf8.size()))
      throw std::invalid_argument("malformed UTF-8");
    char32_t cp = extra == 0 ? c : extra == 1 ? (c & 0x1F) : (c & 0x0F);
    for (int k = 1; k <= extra; ++k) {
      unsigned char cont = static_cast<unsigned char>(utf8[i + k]);
      if ((cont >> 6) != 2) throw std::invalid_argument("malformed UTF-8");
      cp = (cp << 6) | (cont & 0x3F);
    }
    // The shortest form only: an overlong form (C0 AF for '/', C0 80 for NUL)
    // would slip a byte past every check made on the text.
    if ((extra == 1 && cp < 0x80) || (extra == 2 && cp < 0x800)) throw std::invalid_argument("malformed UTF-8");
    out += char(byte_di(cp));
    i += 1 + extra;
  }
  return out;
}

std::string cp1252_a_utf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char ch : bytes) {
    char32_t cp = codice_di(static_cast<unsigned char>(ch));
    aggiungi_utf8(out, cp == 0 ? char32_t(0xFFFD) : cp);
  }
  return out;
}

unsigned char minuscola_cp1252(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return c + 32;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
  switch (c) {
    case 0x8A: return 0x9A;  // Š
    case 0x8C: return 0x9C;  // Œ
    case 0x8E: return 0x9E;  // Ž
    case 0x9F: return 0xFF;  // Ÿ
    default: return c;
  }
}

}  // namespace scenario

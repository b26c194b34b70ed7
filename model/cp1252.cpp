#include "model/cp1252.h"

namespace scenario {

namespace cp1252 {

void senza_byte(char32_t cp) {
  throw std::invalid_argument("character U+" + std::to_string(unsigned(cp)) + " has no Windows-1252 byte");
}

void utf8_malformato() { throw std::invalid_argument("malformed UTF-8"); }

}  // namespace cp1252

namespace {

char32_t codice_di(unsigned char b) {
  if (b >= 0x80 && b < 0xA0) return cp1252::kAlti[b - 0x80];
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

}  // namespace

std::string utf8_a_cp1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  utf8_in_cp1252(utf8, [&out](char c) { out += c; });
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

#pragma once
// Texts of the scenario are single-byte Windows-1252. The program's own source
// holds them as UTF-8; these are the only conversions between the two.

#include <string>
#include <string_view>

namespace scenario {

// How many continuation bytes follow a UTF-8 lead byte (0 to 3), or -1 when
// the byte cannot start a character.
int utf8_continuation_count(unsigned char lead);

// UTF-8 to Windows-1252; a character the code page lacks, or malformed UTF-8,
// throws std::invalid_argument.
std::string utf8_a_cp1252(std::string_view utf8);

// Windows-1252 to UTF-8; the five unassigned bytes become U+FFFD.
std::string cp1252_a_utf8(std::string_view bytes);

// Lower case of one Windows-1252 byte (accented capitals included).
unsigned char minuscola_cp1252(unsigned char c);

}  // namespace scenario

#pragma once
// The fixed-text writer shared by the description texts and the crew
// documents: the lines go into a list of 1001 slots closed by an end mark,
// and every slot before the mark becomes one CR LF line of the file.
//
// The program holds its fixed texts as UTF-8 lines. Their Windows-1252 bytes
// are composed when the program is built (testo_cp1252), so a run only
// writes them; a character the code page lacks stops the build.

#include <array>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "io/folder.h"
#include "model/cp1252.h"

namespace scenario {

inline constexpr int kSlotTesto = 1001;
inline constexpr std::string_view kFineTesto = "riferimento fine del file";

// Composes a fixed text, handing each byte to `metti`: each line before the
// end mark, converted to Windows-1252 (or kept in UTF-8), ended by CR LF.
// More lines than the slots hold throw std::length_error.
template <typename Metti>
constexpr void componi_righe(std::span<const std::string_view> righe, bool utf8, Metti&& metti) {
  if (righe.size() >= kSlotTesto) throw std::length_error("a fixed text holds at most 1000 lines");
  for (std::string_view riga : righe) {
    if (riga == kFineTesto) break;
    if (utf8)
      for (char c : riga) metti(c);
    else
      utf8_in_cp1252(riga, metti);
    metti('\r');
    metti('\n');
  }
}

constexpr size_t lunghezza_cp1252(std::span<const std::string_view> righe) {
  size_t n = 0;
  componi_righe(righe, false, [&n](char) { ++n; });
  return n;
}

// The Windows-1252 bytes of the fixed text `righe` (an array of UTF-8 lines
// with static storage), made when the program is built.
template <const auto& righe>
inline constexpr auto kTestoCp1252 = [] {
  std::array<char, lunghezza_cp1252(righe)> bytes{};
  size_t i = 0;
  componi_righe(righe, false, [&](char c) { bytes[i++] = c; });
  return bytes;
}();

template <const auto& righe>
constexpr std::string_view testo_cp1252() {
  return {kTestoCp1252<righe>.data(), kTestoCp1252<righe>.size()};
}

// Writes the fixed text `righe` to `nome`, replacing an older file whole; a
// description text, which the run deletes once read, is written kTransient.
template <const auto& righe>
void scrivi_testo(Folder& folder, const std::string& nome, Durability durata = Durability::kKept) {
  replace_file(folder, nome, testo_cp1252<righe>(), durata);
}

// The bytes of a fixed text in Windows-1252, composed at run time.
std::string componi_testo(const std::vector<std::string_view>& righe);

// The same text with its lines kept in UTF-8, as an author's editor would
// save it; the compiler reads it back as the same Windows-1252 bytes.
std::string componi_testo_utf8(const std::vector<std::string_view>& righe);

}  // namespace scenario

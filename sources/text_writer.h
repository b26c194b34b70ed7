#pragma once
// The fixed-text writer shared by the description texts and the crew
// documents: the lines go into a list of 1001 slots closed by an end mark,
// and every slot before the mark becomes one CR LF line of the file.

#include <string>
#include <string_view>
#include <vector>

#include "io/folder.h"

namespace scenario {

inline constexpr int kSlotTesto = 1001;
inline constexpr std::string_view kFineTesto = "riferimento fine del file";

// The bytes of a fixed text: each line (UTF-8 in the program) converted to
// Windows-1252 and ended by CR LF, up to the end mark.
std::string componi_testo(const std::vector<std::string_view>& righe);

// The same text with its lines kept in UTF-8, as an author's editor would
// save it; the compiler reads it back as the same Windows-1252 bytes.
std::string componi_testo_utf8(const std::vector<std::string_view>& righe);

// Writes the fixed text to `nome`, replacing an older file whole.
void scrivi_testo(Folder& folder, const std::string& nome, const std::vector<std::string_view>& righe);

}  // namespace scenario

#include "sources/text_writer.h"

#include <stdexcept>

#include "model/cp1252.h"

namespace scenario {

std::string componi_testo(const std::vector<std::string_view>& righe) {
  if (righe.size() >= kSlotTesto) throw std::length_error("a fixed text holds at most 1000 lines");
  std::vector<std::string_view> slot(kSlotTesto);
  for (size_t i = 0; i < righe.size(); ++i) slot[i] = righe[i];
  slot[righe.size()] = kFineTesto;

  std::string out;
  for (size_t i = 0; slot[i] != kFineTesto; ++i) {
    out += utf8_a_cp1252(slot[i]);
    out += "\r\n";
  }
  return out;
}

void scrivi_testo(Folder& folder, const std::string& nome, const std::vector<std::string_view>& righe) {
  replace_file(folder, nome, componi_testo(righe));
}

}  // namespace scenario

#include "sources/text_writer.h"

#include <stdexcept>

#include "model/cp1252.h"

namespace scenario {

namespace {

std::string componi(const std::vector<std::string_view>& righe, bool utf8) {
  if (righe.size() >= kSlotTesto) throw std::length_error("a fixed text holds at most 1000 lines");
  std::vector<std::string_view> slot(kSlotTesto);
  for (size_t i = 0; i < righe.size(); ++i) slot[i] = righe[i];
  slot[righe.size()] = kFineTesto;

  std::string out;
  for (size_t i = 0; slot[i] != kFineTesto; ++i) {
    if (utf8)
      out += slot[i];
    else
      out += utf8_a_cp1252(slot[i]);
    out += "\r\n";
  }
  return out;
}

}  // namespace

std::string componi_testo(const std::vector<std::string_view>& righe) { return componi(righe, false); }

std::string componi_testo_utf8(const std::vector<std::string_view>& righe) { return componi(righe, true); }

void scrivi_testo(Folder& folder, const std::string& nome, const std::vector<std::string_view>& righe) {
  replace_file(folder, nome, componi_testo(righe));
}

}  // namespace scenario

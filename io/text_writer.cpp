#include "io/text_writer.h"

namespace scenario {

namespace {

std::string componi(const std::vector<std::string_view>& righe, bool utf8) {
  std::string out;
  componi_righe(righe, utf8, [&out](char c) { out += c; });
  return out;
}

}  // namespace

std::string componi_testo(const std::vector<std::string_view>& righe) { return componi(righe, false); }

std::string componi_testo_utf8(const std::vector<std::string_view>& righe) { return componi(righe, true); }

}  // namespace scenario

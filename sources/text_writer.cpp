#include "sources/text_writer.h"

namespace scenario {

std::string componi_testo(const std::vector<std::string_view>& righe) { return componi_righe(righe, false); }

std::string componi_testo_utf8(const std::vector<std::string_view>& righe) { return componi_righe(righe, true); }

}  // namespace scenario

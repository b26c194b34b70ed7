#include "fuzz/lsp_case.h"

#include <sstream>

#include "tools/lsp_messages.h"
#include "tools/lsp_server.h"

namespace scenario::fuzz {

std::string caso_lsp(std::string_view ingresso) {
  using namespace scenario::tools::lsp;
  std::istringstream in{std::string(ingresso)};
  std::ostringstream out;
  {
    Server server(out);
    server.run(in);
  }
  std::istringstream written(out.str());
  FrameReader reader(written);
  for (Frame f = reader.next(); f.kind != Frame::kEnd; f = reader.next()) {
    if (f.kind != Frame::kBody) return "the server wrote a frame it cannot read back: " + f.problem;
    if (Json::parse(f.body, nullptr, false).is_discarded()) return "the server wrote a body that is not JSON";
  }
  return "";
}

}  // namespace scenario::fuzz

#include "compiler/service_parser.h"

namespace scenario {

void leggi_servizio(RunState&, Folder&, int32_t) {}

}  // namespace scenario

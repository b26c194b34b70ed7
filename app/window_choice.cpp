#include "app/window.h"

namespace scenario {

std::unique_ptr<Finestra> crea_finestra() { return std::make_unique<FinestraConsole>(); }

}  // namespace scenario

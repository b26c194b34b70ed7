#include "app/window.h"

#ifdef SCENARIO_FINESTRA_DESKTOP
#include "app/desktop/desktop_window.h"
#endif

namespace scenario {

std::unique_ptr<Finestra> crea_finestra() {
#ifdef SCENARIO_FINESTRA_DESKTOP
  if (std::unique_ptr<Finestra> desktop = apri_finestra_desktop()) return desktop;
#endif
  return std::make_unique<FinestraConsole>();
}

}  // namespace scenario

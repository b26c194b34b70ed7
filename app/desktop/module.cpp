// The entry point of the desktop window module. The program carries this
// module inside itself and loads it only when a display is named, so that a
// run without a display never loads the toolkit and its X11 libraries.

#include "app/desktop/desktop_window.h"

extern "C" __attribute__((visibility("default"))) scenario::Finestra* scenario_apri_finestra_desktop() {
  return scenario::apri_finestra_desktop().release();
}

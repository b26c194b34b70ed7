#pragma once
// The modal error box of the desktop window layer.

#include <string>

namespace scenario {

// Shows `testo` in a modal box titled `titolo`, with one OK button and no
// icon, and returns when the box is closed by OK, Return, Escape or the
// window's close button. Needs an open FLTK display.
void mostra_riquadro_errore(const std::string& testo, const char* titolo);

}  // namespace scenario

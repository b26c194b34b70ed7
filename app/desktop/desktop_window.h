#pragma once
// The window layer on an X11 desktop, drawn with FLTK.

#include <memory>

#include "app/window.h"

namespace scenario {

// Title of the error box: the application's own name.
inline constexpr const char* kTitoloApplicazione = "scenario";

// The desktop window when an X display answers, nullptr otherwise. Without a
// display nothing of the toolkit is touched, so a headless run pays nothing.
std::unique_ptr<Finestra> apri_finestra_desktop();

}  // namespace scenario

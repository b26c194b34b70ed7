#include "app/desktop/error_box.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

#include <algorithm>

namespace scenario {
namespace {

constexpr int kMargine = 20;
constexpr int kLarghezzaMinima = 200;
constexpr int kLarghezzaBottone = 80;
constexpr int kAltezzaBottone = 25;

void chiudi_riquadro(Fl_Widget* bottone, void*) { bottone->window()->hide(); }

}  // namespace

void mostra_riquadro_errore(const std::string& testo, const char* titolo) {
  fl_font(FL_HELVETICA, FL_NORMAL_SIZE);
  int larghezza_testo = 0;
  int altezza_testo = 0;
  fl_measure(testo.c_str(), larghezza_testo, altezza_testo, 0);

  const int larghezza = std::max(kLarghezzaMinima, larghezza_testo + 2 * kMargine);
  const int altezza = kMargine + altezza_testo + kMargine + kAltezzaBottone + kMargine;
  Fl_Window riquadro(larghezza, altezza, titolo);
  Fl_Box messaggio(kMargine, kMargine, larghezza - 2 * kMargine, altezza_testo);
  messaggio.copy_label(testo.c_str());
  messaggio.align(FL_ALIGN_INSIDE | FL_ALIGN_LEFT);
  Fl_Return_Button ok((larghezza - kLarghezzaBottone) / 2, altezza - kMargine - kAltezzaBottone, kLarghezzaBottone,
                      kAltezzaBottone, "OK");
  ok.callback(chiudi_riquadro);
  riquadro.end();
  riquadro.set_modal();
  riquadro.position((Fl::w() - larghezza) / 2, (Fl::h() - altezza) / 2);

  riquadro.show();
  while (riquadro.shown()) Fl::wait();
}

}  // namespace scenario

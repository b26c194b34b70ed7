#include "app/desktop/desktop_window.h"

#include <FL/Enumerations.H>
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "app/desktop/error_box.h"

namespace scenario {
namespace {

constexpr int kLarghezzaForm = 320;
constexpr int kAltezzaForm = 240;
// The label's face: bold sans-serif at 24 points, which is 32 pixels at the
// usual 96 dots per inch.
constexpr Fl_Font kFontEtichetta = FL_HELVETICA_BOLD;
constexpr Fl_Fontsize kCorpoEtichetta = 32;
// Longest wait for the desktop to map the window before painting it.
constexpr std::chrono::seconds kAttesaMappa{2};

// Form1 with its one label. It remembers whether it has been painted, so the
// start-up can stop servicing it as soon as the label is on the screen.
class FormAttesa : public Fl_Window {
public:
  FormAttesa() : Fl_Window(kLarghezzaForm, kAltezzaForm, "Form1"), etichetta_(0, 0, w(), h(), "Attendere") {
    etichetta_.labelfont(kFontEtichetta);
    etichetta_.labelsize(kCorpoEtichetta);
    end();
    position((Fl::w() - w()) / 2, (Fl::h() - h()) / 2);
  }
  bool dipinta() const { return dipinta_; }

protected:
  void draw() override {
    Fl_Window::draw();
    dipinta_ = true;
  }

private:
  Fl_Box etichetta_;  // Label1
  bool dipinta_ = false;
};

class FinestraDesktop : public Finestra {
public:
  void mostra_attesa() override {
    form_ = std::make_unique<FormAttesa>();
    form_->show();
    // Drawing into a window the server has not mapped yet is lost, so the
    // events are serviced only until the first paint, then never again. The
    // paint happens in Fl::flush, right after the event that exposed the window.
    auto limite = std::chrono::steady_clock::now() + kAttesaMappa;
    while (!form_->dipinta() && std::chrono::steady_clock::now() < limite) {
      Fl::wait(0.05);
      Fl::flush();
    }
    XSync(fl_display, False);
  }

  void mostra_errore(const std::string& testo) override { mostra_riquadro_errore(testo, kTitoloApplicazione); }

  [[noreturn]] void termina(int stato) override {
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(stato);
  }

private:
  std::unique_ptr<FormAttesa> form_;
};

}  // namespace

std::unique_ptr<Finestra> apri_finestra_desktop() {
  const char* nome = std::getenv("DISPLAY");
  if (nome == nullptr || *nome == '\0') return nullptr;
  Display* display = XOpenDisplay(nome);
  if (display == nullptr) return nullptr;
  fl_open_display(display);
  return std::make_unique<FinestraDesktop>();
}

}  // namespace scenario

#pragma once
// The three things the program asks of a windowing system: show the wait
// window once, show the modal error box, end the process at once.

#include <memory>
#include <string>

namespace scenario {

class Finestra {
public:
  virtual ~Finestra() = default;
  // Shows "Attendere" before the work; the window is not serviced again.
  virtual void mostra_attesa() = 0;
  // Shows `testo` in a modal box with one OK button and waits for it.
  virtual void mostra_errore(const std::string& testo) = 0;
  // Ends the process at once with `stato`.
  [[noreturn]] virtual void termina(int stato) = 0;
};

// Stand-in without a desktop: the wait text on standard output, the error box
// as one line on standard error.
class FinestraConsole : public Finestra {
public:
  void mostra_attesa() override;
  void mostra_errore(const std::string& testo) override;
  [[noreturn]] void termina(int stato) override;
};

// The window the program uses, chosen once before the work: the desktop window
// when the program was built with it and a display answers, else the console.
std::unique_ptr<Finestra> crea_finestra();

}  // namespace scenario

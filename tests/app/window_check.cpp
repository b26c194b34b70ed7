// window_check FOLDER: the program's own run in FOLDER on the desktop window,
// made to end in the error box. The line description gains a speed-limit
// board on cell 1, which fills a marker slot, so the run stops with error 1250
// before any binary file is written. After the wait window is painted the run
// holds, without servicing the window, until the file "continue" appears in
// FOLDER, so that a test can look at the window first.
//
// Exit status: that of the run (1 after the error box); 3 when no display
// answers or the line description has no board section.

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <thread>
#include <typeinfo>

#include "app/run.h"
#include "app/window.h"
#include "io/disk_folder.h"
#include "io/file_names.h"
#include "sources/built_in_names.h"

namespace scenario {
namespace {

constexpr int kNonVerificabile = 3;

class LineaConCartelloSullaPrimaCella : public DiskFolder {
public:
  using DiskFolder::DiskFolder;

  std::string read(const std::string& name) override {
    std::string testo = DiskFolder::read(name);
    if (name != nome_testo_linea(kPercorsoNome)) return testo;
    std::size_t sezione = testo.find("[cartelli]");
    std::size_t dopo = testo.find('\n', sezione);
    if (sezione == std::string::npos || dopo == std::string::npos) {
      std::cerr << "window_check: the line description has no [cartelli] section\n";
      std::exit(kNonVerificabile);
    }
    return testo.insert(dopo + 1, "indicatori_vmax,  0,  100,  100,  100,  0,  100,  100,  100,  0\r\n");
  }
};

// Holds the run after the wait window until the test says it has seen it.
class FinestraTrattenuta : public Finestra {
public:
  FinestraTrattenuta(Finestra& interna, std::filesystem::path segnale)
      : interna_(interna), segnale_(std::move(segnale)) {}

  void mostra_attesa() override {
    interna_.mostra_attesa();
    auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!std::filesystem::exists(segnale_) && std::chrono::steady_clock::now() < limite)
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  void mostra_errore(const std::string& testo) override { interna_.mostra_errore(testo); }
  [[noreturn]] void termina(int stato) override {
    interna_.termina(stato);
    std::_Exit(stato);  // not reached: the call through the base does not say so
  }

private:
  Finestra& interna_;
  std::filesystem::path segnale_;
};

}  // namespace
}  // namespace scenario

int main(int argc, char** argv) {
  using namespace scenario;
  if (argc != 2) {
    std::cerr << "usage: window_check FOLDER\n";
    return 2;
  }
  // The program's own choice: the module carried in the program, loaded
  // because a display is named.
  std::unique_ptr<Finestra> desktop = crea_finestra();
  if (typeid(*desktop) == typeid(FinestraConsole)) {
    std::cerr << "window_check: no desktop window (no display answers, or the module did not load)\n";
    return kNonVerificabile;
  }
  FinestraTrattenuta finestra(*desktop, std::filesystem::path(argv[1]) / "continue");
  LineaConCartelloSullaPrimaCella folder(argv[1]);
  RunState stato_run;
  finestra.termina(esegui(stato_run, folder, finestra, std::cerr));
}

#include "app/window.h"

#ifdef SCENARIO_FINESTRA_DESKTOP
#include <dlfcn.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/desktop/embedded_module.h"
#include "app/desktop/module_interface.h"
#include "io/disk_folder.h"
#endif

namespace scenario {

#ifdef SCENARIO_FINESTRA_DESKTOP
namespace {

// Loads the desktop window module from the program's own bytes, through an
// anonymous in-memory file. nullptr, with a note on standard error, when the
// module cannot be loaded (its toolkit libraries missing, say): the run then
// goes on with the console.
ScenarioApriFinestraDesktop carica_modulo_desktop() {
  int fd = ::memfd_create("scenario-desktop", MFD_CLOEXEC);
  if (fd < 0) {
    std::perror("scenario: desktop window unavailable, using the console");
    return nullptr;
  }
  void* modulo = nullptr;
  if (write_all(fd, modulo_desktop())) {
    const std::string percorso = "/proc/self/fd/" + std::to_string(fd);
    modulo = ::dlopen(percorso.c_str(), RTLD_NOW | RTLD_LOCAL);
  }
  ::close(fd);  // a loaded module stays mapped
  void* apri = modulo ? ::dlsym(modulo, kSimboloApriFinestraDesktop) : nullptr;
  if (apri == nullptr) {
    const char* perche = ::dlerror();
    std::fprintf(stderr, "scenario: desktop window unavailable, using the console: %s\n",
                 perche ? perche : "the module could not be written");
    return nullptr;
  }
  return reinterpret_cast<ScenarioApriFinestraDesktop>(apri);
}

// The module's window seen through its plain C calls.
class FinestraDelModulo : public Finestra {
public:
  explicit FinestraDelModulo(const ScenarioFinestraDesktop& m) : m_(m) {}
  FinestraDelModulo(const FinestraDelModulo&) = delete;
  FinestraDelModulo& operator=(const FinestraDelModulo&) = delete;
  ~FinestraDelModulo() override { m_.chiudi(m_.finestra); }
  void mostra_attesa() override { m_.mostra_attesa(m_.finestra); }
  void mostra_errore(const std::string& testo) override { m_.mostra_errore(m_.finestra, testo.data(), testo.size()); }
  [[noreturn]] void termina(int stato) override {
    m_.termina(m_.finestra, stato);
    std::_Exit(stato);
  }

private:
  ScenarioFinestraDesktop m_;
};

std::unique_ptr<Finestra> apri_desktop_se_nominato() {
  const char* display = std::getenv("DISPLAY");
  if (display == nullptr || *display == '\0') return nullptr;
  ScenarioApriFinestraDesktop apri = carica_modulo_desktop();
  ScenarioFinestraDesktop modulo{};
  if (apri == nullptr || apri(&modulo) == 0) return nullptr;
  return std::make_unique<FinestraDelModulo>(modulo);
}

}  // namespace
#endif

std::unique_ptr<Finestra> crea_finestra() {
#ifdef SCENARIO_FINESTRA_DESKTOP
  if (std::unique_ptr<Finestra> desktop = apri_desktop_se_nominato()) return desktop;
#endif
  return std::make_unique<FinestraConsole>();
}

}  // namespace scenario

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "app/run.h"
#include "app/window.h"

namespace scenario {
namespace {

// Sets DISPLAY for one test and puts the old value back afterwards.
class DisplayFor {
public:
  explicit DisplayFor(const char* value) {
    if (const char* old = std::getenv("DISPLAY")) old_ = old;
    if (value)
      setenv("DISPLAY", value, 1);
    else
      unsetenv("DISPLAY");
  }
  ~DisplayFor() {
    if (old_)
      setenv("DISPLAY", old_->c_str(), 1);
    else
      unsetenv("DISPLAY");
  }

private:
  std::optional<std::string> old_;
};

TEST(WindowChoice, WithoutAReachableDisplayTheConsoleIsUsed) {
  // An empty name, and a display number no server listens on.
  for (const char* display : {static_cast<const char*>(nullptr), "", ":987"}) {
    DisplayFor scope(display);
    std::unique_ptr<Finestra> finestra = crea_finestra();
    EXPECT_NE(dynamic_cast<FinestraConsole*>(finestra.get()), nullptr) << (display ? display : "(unset)");
  }
}

class RecordingWindow : public Finestra {
public:
  void mostra_attesa() override {}
  void mostra_errore(const std::string& testo) override { shown.push_back(testo); }
  [[noreturn]] void termina(int) override { std::abort(); }
  std::vector<std::string> shown;
};

TEST(ErrorReport, ShowsTheNumberAfterTheFixedPrompt) {
  RecordingWindow finestra;
  errore(finestra, "1250");
  errore(finestra, "1251");
  EXPECT_EQ(finestra.shown, (std::vector<std::string>{" Errore n. 1250", " Errore n. 1251"}));
}

}  // namespace
}  // namespace scenario

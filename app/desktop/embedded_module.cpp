// The desktop window module's bytes, carried in the program's read-only data
// so that the program still has its window when copied alone.
// SCENARIO_MODULO_DESKTOP is the path of the built module.

#include "app/desktop/embedded_module.h"

asm(".pushsection .rodata\n"
    ".balign 64\n"
    ".globl scenario_modulo_desktop_inizio\n"
    "scenario_modulo_desktop_inizio:\n"
    ".incbin \"" SCENARIO_MODULO_DESKTOP
    "\"\n"
    ".globl scenario_modulo_desktop_fine\n"
    "scenario_modulo_desktop_fine:\n"
    ".popsection\n");

extern "C" const unsigned char scenario_modulo_desktop_inizio[];
extern "C" const unsigned char scenario_modulo_desktop_fine[];

namespace scenario {

std::string_view modulo_desktop() {
  return {reinterpret_cast<const char*>(scenario_modulo_desktop_inizio),
          size_t(scenario_modulo_desktop_fine - scenario_modulo_desktop_inizio)};
}

}  // namespace scenario

#include "model/errors.h"

#include <array>

namespace scenario {
namespace {

constexpr RigaErrore kCatalogo[] = {
#define SCENARIO_ERRORE(numero, nome, testo, ancora, significato) \
  {Errore::nome, #nome, TestoErrore::testo, Ancora::ancora, significato},
#include "model/errors.def"
#undef SCENARIO_ERRORE
};

}  // namespace

std::span<const RigaErrore> catalogo_errori() { return kCatalogo; }

const RigaErrore* riga_errore(int32_t n) {
  for (const RigaErrore& r : kCatalogo)
    if (r.numero() == n) return &r;
  return nullptr;
}

std::string_view significato_errore(int32_t n) {
  const RigaErrore* r = riga_errore(n);
  return r != nullptr ? std::string_view(r->significato) : std::string_view();
}

}  // namespace scenario

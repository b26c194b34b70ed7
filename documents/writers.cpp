#include "documents/writers.h"

namespace scenario {

// The documents are not written yet.
void dati_note(const RunState&, Folder&) {}
void dati_rallentamenti(const RunState&, Folder&) {}
void dati_scheda(const RunState&, Folder&) {}

}  // namespace scenario

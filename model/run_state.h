#pragma once
// Everything one run of the compiler knows: the names, the error record, the
// cell grid, the service table, the track plan and the tunnel lists.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/error_log.h"
#include "model/plan.h"

namespace scenario {

// One 50 m cell of track.
struct Cella {
  uint8_t tipo = 0;
  int16_t valore1 = 0;
  int16_t valore2 = 0;
  int16_t valore3 = 0;
  int16_t valore4 = 0;
  uint8_t tempo = 0;
  uint8_t avviso = 0;
  uint8_t montagna = 0;
  uint8_t vel_limite = 0;
  uint8_t pendenza = 0;
  uint8_t aderenza = 0;
  bool operator==(const Cella&) const = default;
};

// Cell kinds.
enum TipoCella : uint8_t {
  kBinario = 0,
  kSegnale = 1,
  kFineRallentamento = 2,
  kInizioRallentamento = 3,
  kAvvisoRallentamento = 4,
  kSequenzaAvviso = 5,
  kIndicatoreVMax = 6,
  kFineStazione = 10,
  kMarcaMontagna = 11,
  kCodice = 12,
  kCodiceSenzaValore = 13,
  kCartelloIndicatore = 14,
};

// One entry of the service table.
struct Voce {
  uint8_t tipo = 0;
  int32_t inizio = 0;
  int32_t fine = 0;
  int32_t posizione = 0;
  uint8_t campo4 = 0;
  std::string testo;  // Windows-1252 bytes
  int16_t campo7 = 0;
  int16_t campo8 = 0;
  int16_t campo10 = 0;
  int16_t campo11 = 0;
  int16_t campo12 = 0;
  uint8_t campo9 = 0;
  uint8_t campo13 = 0;
  uint8_t campo6 = 0;
  uint8_t campo5 = 0;
  int32_t orario = 0;
  bool operator==(const Voce&) const = default;
};

inline constexpr int kVociServizio = 87;
// The entries of the table with a fixed use. Entries 1 to kVoceUltimoTesto
// hold the texts of stations and indication boards (boards from the last
// down); entry 0 stays empty.
inline constexpr int kVoceUltimoTesto = 80;
inline constexpr int kVoceProgressivaTre = 81;  // 81 to 83: the kilometre-post series tre, due, uno
inline constexpr int kVocePercorso = 84;        // route length, braked mass, coaches
inline constexpr int kVoceGenerale = 85;        // route name, backgrounds, format marker, scenario code
inline constexpr int kVoceTreno = 86;           // train name, cab-signal repetition, clock, sand

inline constexpr int kMaxMontagne = 80;

// What the parsers took from the texts, kept only when a run asks for it
// (OpzioniLettura::traccia): the author tools look at values as written, before
// the compiler narrows or rounds them.
struct CampoLetto {
  size_t inizio = 0;  // byte offsets of the field in its text, end excluded
  size_t fine = 0;
  int64_t numero = 0;  // the number as read, before any narrowing; 0 for a text field
  bool testo = false;
};

// One keyword field and the fields read after it for the record it starts.
struct RecordLetto {
  Fonte fonte = Fonte::kNessuna;
  const char* tipo = "";  // the record the parser took it for ("velocita", ...); "" for none
  CampoLetto chiave;
  std::vector<CampoLetto> campi;
};

// The tag of a general-section record met after that section had ended: the
// line parser takes it for nothing.
inline constexpr char kGeneraleInRitardo[] = "generale in ritardo";

// The longest route the line parser accepts, in metres.
inline constexpr int32_t kLunghezzaMassima = 1000000;
// The grid and the plan reach this far beyond the route's end, in metres.
inline constexpr int32_t kOltreLaFine = 7000;

struct RunState {
  std::string percorso_nome;
  std::string treno_nome;
  bool genera_linea = false;  // with the per-metre track plan
  int32_t lunghezza_estesa = 0;
  int32_t n_celle = 0;
  int32_t n_montagne = 0;

  std::vector<Cella> celle;
  std::array<Voce, kVociServizio> servizio{};
  Planimetria planimetria;
  std::array<int32_t, kMaxMontagne + 1> montagne_inizio{};
  std::array<int32_t, kMaxMontagne + 1> montagne_fine{};

  ErrorLog errori;

  // For a traced compile, every keyword field the parsers read, in order,
  // with the record it was taken for and its fields.
  std::vector<RecordLetto> letti;

  bool griglia_pronta() const { return celle.size() >= 2; }
};

}  // namespace scenario

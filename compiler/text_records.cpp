#include "compiler/text_records.h"

#include "compiler/field_reader.h"

namespace scenario {
namespace {

using L = Lettura;
using C = Conserva;

// ---- Line text ----------------------------------------------------------------

constexpr CampoRecord kLunghezza[] = {
    {.nome = "lunghezza",
     .unita = "m",
     .lettura = L::kLong,
     .conserva = C::kIntero,
     .massimo = 1000000,
     .errori = {1},
     .significato = "The route's length. The grid of 50 m cells and the track plan are made for the route and "
                    "7,000 m beyond it, so this record comes before any record of the later sections. Kept in "
                    "the service table. Above 1,000,000 m: error 1."},
};

constexpr CampoRecord kProgressive[] = {
    {.nome = "inizio",
     .unita = "m",
     .lettura = L::kLong,
     .conserva = C::kIntero,
     .multiplo = 50,
     .errore_multiplo = 2,
     .errori = {2},
     .significato = "Where the series starts. The three series are sorted by their starts, the highest first, "
                    "into the service table; when all three start at 0, a series with a second position above 0 "
                    "goes first. Two series sharing the highest start clear all three."},
    {.nome = "fine",
     .unita = "m",
     .lettura = L::kLong,
     .conserva = C::kIntero,
     .multiplo = 50,
     .errore_multiplo = 2,
     .errori = {2},
     .significato = "The series' second position."},
    {.nome = "posizione",
     .unita = "",
     .lettura = L::kLong,
     .conserva = C::kIntero,
     .minimo = 0,
     .massimo = 1,
     .significato = "A flag: 1 adds 100 m to the second position."},
};

constexpr CampoRecord kSfondi[] = {
    {.nome = "valore",
     .unita = "",
     .lettura = L::kLong,
     .conserva = C::kIntero,
     .significato = "A background setting of the simulator, carried unchanged into the service table."},
};

constexpr CampoRecord kRipetizione[] = {
    {.nome = "inizio",
     .unita = "m",
     .lettura = L::kLong,
     .conserva = C::kIntero,
     .multiplo = 50,
     .errore_multiplo = 3,
     .errori = {3},
     .significato = "Where cab-signal repetition starts."},
    {.nome = "fine",
     .unita = "m",
     .lettura = L::kLong,
     .conserva = C::kIntero,
     .multiplo = 50,
     .errore_multiplo = 4,
     .errori = {4},
     .significato = "Where it ends; 0 means no repetition, and the number of codes is kept as 0."},
};

constexpr CampoRecord kPendenze[] = {
    {.nome = "posizione",
     .unita = "m",
     .lettura = L::kLong,
     .conserva = C::kSoloUso,
     .cella = CellaDi::kCorsa,
     .errori = {15},
     .significato = "Where the gradient starts. The cells from the previous record's cell up to this record's "
                    "run cell keep the previous gradient; a record whose cell is not past the previous one still "
                    "fills one cell with it."},
    {.nome = "pendenza",
     .unita = "per mille",
     .lettura = L::kLong,
     .conserva = C::kBasso8,
     .minimo = -100,
     .massimo = 155,
     .scarto = 100,
     .significato = "The gradient, rising positive, up to the next gradient record (the last one to the end of "
                    "the route); 0 before the first. Kept in each cell as one byte, gradient + 100."},
};

constexpr CampoRecord kCurve[] = {
    {.nome = "inizio",
     .unita = "m",
     .lettura = L::kLong,
     .conserva = C::kSoloUso,
     .errori = {15, 103},
     .significato = "Where the curve starts on the track plan, straight from the previous curve's end. A curve "
                    "that starts behind that end begins there. A plan longer than 1,000,000 m: error 103."},
    {.nome = "lunghezza",
     .unita = "m",
     .lettura = L::kLong,
     .conserva = C::kSoloUso,
     .significato = "The curve's length: the plan turns by the class's curvature every metre of it."},
};

constexpr CampoRecord kMontagne[] = {
    {.nome = "inizio",
     .unita = "m",
     .lettura = L::kLong,
     .conserva = C::kSoloUso,
     .cella = CellaDi::kTratto,
     .errori = {15},
     .significato = "Where the tunnel starts: its first cell is nearest(inizio / 50)."},
    {.nome = "fine",
     .unita = "m",
     .lettura = L::kLong,
     .conserva = C::kSoloUso,
     .cella = CellaDi::kTratto,
     .significato = "Where it ends: its last cell is nearest(fine / 50 - 1)."},
    {.nome = "tipo",
     .unita = "",
     .lettura = L::kLong,
     .conserva = C::kBasso8,
     .minimo = 0,
     .massimo = 265,
     .significato = "The tunnel type, kept in each of its cells as one byte. Above 10 it stands for type "
                    "tipo - 10 with a marker every 200 m (every fourth cell, where the track is plain). A tunnel "
                    "that starts 150 m or less after the previous one ends is kept as type 3."},
};

constexpr const char* kVelocitaCartello =
    "The board keeps each speed pair as one 16-bit value, nearest(right / 5 + left x 20), that is 100 times the "
    "left speed's 5 km/h steps plus the right speed's; a value that does not fit is a run-time fault.";

constexpr CampoRecord kCartelli[] = {
    {.nome = "posizione",
     .unita = "m",
     .lettura = L::kLong,
     .conserva = C::kSoloUso,
     .cella = CellaDi::kOggetto,
     .errori = {15, 21},
     .significato = "Where the board stands: its object cell must be free (plain track or a tunnel marker), "
                    "else error 21."},
    {.nome = "vas",
     .unita = "km/h",
     .lettura = L::kLong,
     .conserva = C::kCombinato,
     .significato = "Speed a on the left side (s), paired with vad."},
    {.nome = "vbs",
     .unita = "km/h",
     .lettura = L::kLong,
     .conserva = C::kCombinato,
     .significato = "Speed b on the left side, paired with vbd."},
    {.nome = "vcs",
     .unita = "km/h",
     .lettura = L::kLong,
     .conserva = C::kCombinato,
     .significato = "Speed c on the left side, paired with vcd."},
    {.nome = "strisces",
     .unita = "",
     .lettura = L::kInteger,
     .conserva = C::kCombinato,
     .minimo = 0,
     .massimo = 2,
     .significato = "Stripes on the left side: 0, 1 or 2. Kept with strisced as strisces x 10 + strisced in 16 "
                    "bits (the low 16 bits: it wraps)."},
    {.nome = "vad",
     .unita = "km/h",
     .lettura = L::kLong,
     .conserva = C::kCombinato,
     .significato = "Speed a on the right side (d)."},
    {.nome = "vbd",
     .unita = "km/h",
     .lettura = L::kLong,
     .conserva = C::kCombinato,
     .significato = "Speed b on the right side."},
    {.nome = "vcd",
     .unita = "km/h",
     .lettura = L::kLong,
     .conserva = C::kCombinato,
     .significato = "Speed c on the right side."},
    {.nome = "strisced",
     .unita = "",
     .lettura = L::kInteger,
     .conserva = C::kCombinato,
     .minimo = 0,
     .massimo = 2,
     .significato = "Stripes on the right side: 0, 1 or 2."},
};

constexpr CampoRecord kIndicazioni[] = {
    {.nome = "posizione",
     .unita = "m",
     .lettura = L::kLong,
     .conserva = C::kSoloUso,
     .cella = CellaDi::kOggetto,
     .errori = {15, 6},
     .significato = "Where the board stands: its object cell must be free, else error 6."},
    {.nome = "testo",
     .unita = "",
     .lettura = L::kTesto,
     .conserva = C::kTesto,
     .significato = "The board's text, to the end of the line (a comma would end it; blanks before it are "
                    "skipped, blanks inside and after it kept): three groups in parentheses, one per line of "
                    "the board. At most 65,535 bytes."},
};

// ---- Service text -------------------------------------------------------------

constexpr CampoRecord kMassa[] = {
    {.nome = "percentuale",
     .unita = "%",
     .lettura = L::kLong,
     .conserva = C::kIntero,
     .significato = "The train's braked-mass percentage, kept in the service table."},
};

constexpr CampoRecord kVettureCampi[] = {
    {.nome = "numero",
     .unita = "",
     .lettura = L::kLong,
     .conserva = C::kIntero,
     .significato = "The number of coaches, kept in the service table."},
};

constexpr CampoRecord kVelocitaCampi[] = {
    {.nome = "posizione",
     .unita = "m",
     .lettura = L::kLong,
     .conserva = C::kSoloUso,
     .cella = CellaDi::kCorsa,
     .errori = {15},
     .significato = "Where the speed starts. The cells from the previous record's cell up to this record's run "
                    "cell keep the previous speed; a record whose cell is not past the previous one still fills "
                    "one cell with it. The first record stands at 0."},
    {.nome = "velocita",
     .unita = "km/h",
     .lettura = L::kLong,
     .conserva = C::kPassi5,
     .minimo = -2,
     .massimo = 1277,
     .significato = "The timetable speed up to the next speed record (the last one to the end of the route). "
                    "Kept in each cell as nearest(speed / 5), one byte: a speed off a multiple of 5 km/h becomes "
                    "the nearest step, halves to the even step."},
};

constexpr CampoRecord kAderenzaCampi[] = {
    {.nome = "posizione",
     .unita = "m",
     .lettura = L::kLong,
     .conserva = C::kSoloUso,
     .cella = CellaDi::kCorsa,
     .errori = {15},
     .significato = "Where the adhesion starts, filled as the speeds are. The first record stands at 0."},
    {.nome = "aderenza",
     .unita = "%",
     .lettura = L::kLong,
     .conserva = C::kBasso8,
     .minimo = 0,
     .massimo = 255,
     .significato = "The adhesion up to the next adhesion record, kept in each cell as one byte."},
};

constexpr CampoRecord kOrologioCampi[] = {
    {.nome = "ore",
     .unita = "h",
     .lettura = L::kInteger,
     .conserva = C::kIntero,
     .minimo = 0,
     .massimo = 23,
     .significato = "The simulator clock at the start: hours. The three values are separated by blanks, not "
                    "commas."},
    {.nome = "minuti",
     .unita = "min",
     .lettura = L::kInteger,
     .conserva = C::kIntero,
     .minimo = 0,
     .massimo = 59,
     .significato = "Minutes."},
    {.nome = "secondi",
     .unita = "s",
     .lettura = L::kInteger,
     .conserva = C::kIntero,
     .minimo = 0,
     .massimo = 59,
     .significato = "Seconds."},
};

constexpr CampoRecord kSabbiaCampi[] = {
    {.nome = "valore",
     .unita = "",
     .lettura = L::kInteger,
     .conserva = C::kIntero,
     .significato = "The sand setting, kept in the service table."},
};

constexpr CampoRecord kSegnaleCampi[] = {
    {.nome = "posizione",
     .unita = "m",
     .lettura = L::kLong,
     .conserva = C::kSoloUso,
     .multiplo = 50,
     .cella = CellaDi::kOggetto,
     .errori = {15, 16},
     .significato = "Where the signal stands: its object cell must be free, else error 16. Its four approach "
                    "marks go into the cells 100, 200, 300 and 400 m before it, whatever they hold; a signal "
                    "less than 350 m from the start of the route has no room for them: a run-time fault."},
    {.nome = "sx",
     .unita = "",
     .lettura = L::kLong,
     .conserva = C::kCombinato,
     .significato = "The left side's aspect. With dx it makes the approach marks, (sx x 3 + dx) x 10 + 1 to 4 "
                    "(one byte each), and the fourth value; with sx = 2 the signal keeps its time."},
    {.nome = "s1",
     .unita = "",
     .lettura = L::kLong,
     .conserva = C::kCombinato,
     .significato = "Left value 1, kept with d1 as s1 x 10 + d1 in 16 bits (the low 16 bits: it wraps)."},
    {.nome = "s2",
     .unita = "",
     .lettura = L::kLong,
     .conserva = C::kCombinato,
     .significato = "Left value 2, kept as s2 x 10 + d2 in 16 bits."},
    {.nome = "s3",
     .unita = "",
     .lettura = L::kLong,
     .conserva = C::kCombinato,
     .significato = "Left value 3, kept as s3 x 10 + d3 in 16 bits."},
    {.nome = "rapp",
     .unita = "",
     .lettura = L::kLong,
     .conserva = C::kCombinato,
     .significato = "Kept in the fourth value, rapp x 10 + sx x 3 + dx, in 16 bits."},
    {.nome = "dx",
     .unita = "",
     .lettura = L::kLong,
     .conserva = C::kCombinato,
     .significato = "The right side's aspect."},
    {.nome = "d1", .unita = "", .lettura = L::kLong, .conserva = C::kCombinato, .significato = "Right value 1."},
    {.nome = "d2", .unita = "", .lettura = L::kLong, .conserva = C::kCombinato, .significato = "Right value 2."},
    {.nome = "d3", .unita = "", .lettura = L::kLong, .conserva = C::kCombinato, .significato = "Right value 3."},
    {.nome = "tempo",
     .unita = "",
     .lettura = L::kLong,
     .conserva = C::kCombinato,
     .significato = "The signal's time, kept as one byte (the low 8 bits) only when sx = 2; a value from 1 to "
                    "100 counts as 101."},
};

constexpr CampoRecord kRallentamentoCampi[] = {
    {.nome = "x",
     .unita = "m",
     .lettura = L::kLong,
     .conserva = C::kSoloUso,
     .cella = CellaDi::kOggetto,
     .errori = {15, 18, 17},
     .significato = "Where the slow-down starts: its start cell (the object cell of x) must be free, else "
                    "error 18. Beyond 1,500 m a warning cell stands 1,200 m before it, nearest((x - 1200) / 50 "
                    "+ 1), which must be free too (error 17)."},
    {.nome = "v",
     .unita = "km/h",
     .lettura = L::kLong,
     .conserva = C::kBasso16,
     .minimo = -32768,
     .massimo = 32767,
     .significato = "The speed in force, kept in the warning, start and end cells."},
    {.nome = "l",
     .unita = "m",
     .lettura = L::kLong,
     .conserva = C::kSoloUso,
     .errori = {19},
     .significato = "The length: the end cell, the object cell of x + l, must be free, else error 19."},
    {.nome = "f_tt",
     .unita = "",
     .lettura = L::kLong,
     .conserva = C::kBasso16,
     .minimo = -32768,
     .massimo = 32767,
     .significato = "Kept in the start and end cells."},
    {.nome = "f_ta",
     .unita = "",
     .lettura = L::kLong,
     .conserva = C::kSoloUso,
     .errori = {20},
     .significato = "Not 0: the four cells before the warning cell carry a warning sequence numbered 1 to 4, "
                    "and must be free (error 20; the cells written before stay written). Ignored when x is "
                    "1,500 m or less."},
    {.nome = "d_v",
     .unita = "",
     .lettura = L::kLong,
     .conserva = C::kBasso16,
     .minimo = -32768,
     .massimo = 32767,
     .significato = "Not 0: kept in the warning, start and end cells, and the sequence cells keep their "
                    "number there."},
};

constexpr CampoRecord kAbbattimentoCampi[] = {
    {.nome = "posizione",
     .unita = "m",
     .lettura = L::kLong,
     .conserva = C::kSoloUso,
     .cella = CellaDi::kCorsa,
     .errori = {15, 7},
     .significato = "Where the cab-signal code steps down: its run cell must be free, else error 7."},
    {.nome = "codice",
     .unita = "",
     .lettura = L::kLong,
     .conserva = C::kBasso16,
     .massimo = 32767,
     .significato = "The code from here on, such as 270 or 180, kept in 16 bits. AC (which reads as 0), 0 or a "
                    "negative value make a step without a code."},
};

constexpr const char* kPassato = "Carried unchanged into the service table and the binary files.";

constexpr CampoRecord kStazioneCampi[] = {
    {.nome = "posizione",
     .unita = "m",
     .lettura = L::kLong,
     .conserva = C::kIntero,
     .multiplo = 50,
     .errore_multiplo = 8,
     .errori = {15, 8},
     .significato = "Where the station stands. Beyond the route (with 800 m to spare): error 15."},
    {.nome = "tipo",
     .unita = "",
     .lettura = L::kByte,
     .conserva = C::kIntero,
     .minimo = 0,
     .massimo = 255,
     .significato = "The station type. Types 5 and 6: the area runs from the length before the position to "
                    "150 m after it; 7 and 8: the length either side; any other type: the area is centred on "
                    "the position. Types 25 and above get no marks in the grid; types below 25 get a station "
                    "mark in the cell before the area's end and, but for 5 and 6, four approach marks before it."},
    {.nome = "lunghezza",
     .unita = "m",
     .lettura = L::kLong,
     .conserva = C::kSoloUso,
     .multiplo = 100,
     .errore_multiplo = 9,
     .errori = {9},
     .significato = "The station's length, which sets its area; not kept itself."},
    {.nome = "campo4",
     .unita = "",
     .lettura = L::kByte,
     .conserva = C::kIntero,
     .minimo = 0,
     .massimo = 255,
     .significato = kPassato},
    {.nome = "campo5",
     .unita = "",
     .lettura = L::kByte,
     .conserva = C::kIntero,
     .minimo = 0,
     .massimo = 255,
     .significato = "Cleared for a station shorter than 600 m and for the first station; otherwise carried "
                    "unchanged."},
    {.nome = "campo6",
     .unita = "",
     .lettura = L::kByte,
     .conserva = C::kIntero,
     .minimo = 0,
     .massimo = 255,
     .significato = "A flag: set, an ordinary station's area ends 50 m further. Cleared for types 5 to 8 and, "
                    "after its area is set, for the first station."},
    {.nome = "campo7", .unita = "", .lettura = L::kInteger, .conserva = C::kIntero, .significato = kPassato},
    {.nome = "campo8", .unita = "", .lettura = L::kInteger, .conserva = C::kIntero, .significato = kPassato},
    {.nome = "campo9",
     .unita = "",
     .lettura = L::kByte,
     .conserva = C::kIntero,
     .minimo = 0,
     .massimo = 255,
     .significato = kPassato},
    {.nome = "campo10", .unita = "", .lettura = L::kInteger, .conserva = C::kIntero, .significato = kPassato},
    {.nome = "campo11", .unita = "", .lettura = L::kInteger, .conserva = C::kIntero, .significato = kPassato},
    {.nome = "campo12", .unita = "", .lettura = L::kInteger, .conserva = C::kIntero, .significato = kPassato},
    {.nome = "campo13",
     .unita = "",
     .lettura = L::kByte,
     .conserva = C::kIntero,
     .minimo = 0,
     .massimo = 255,
     .significato = kPassato},
    {.nome = "ore",
     .unita = "h",
     .lettura = L::kLong,
     .conserva = C::kCombinato,
     .significato = "The timetable time, kept as (ore x 60 + minuti) x 60 + secondi in 32 bits; 0, 0, 0 where "
                    "the train has no timed stop."},
    {.nome = "minuti", .unita = "min", .lettura = L::kLong, .conserva = C::kCombinato, .significato = "Minutes."},
    {.nome = "secondi", .unita = "s", .lettura = L::kLong, .conserva = C::kCombinato, .significato = "Seconds."},
    {.nome = "nome",
     .unita = "",
     .lettura = L::kTesto,
     .conserva = C::kTesto,
     .significato = "The station's name, the last field of its line: blanks, points and hyphens are part of "
                    "it, a comma would end it. At most 65,535 bytes."},
};

using T = TestoDescrizione;

constexpr RecordTesto kRecord[] = {
    {.id = IdRecord::kLunghezzaPercorso,
     .nome = "lunghezza percorso",
     .testo = T::kLinea,
     .sezione = "[generale]",
     .parola = "lunghezza percorso",
     .parole = {"percorso", "lunghezza"},
     .generale = true,
     .significato = "The route's length.",
     .campi = kLunghezza},
    {.id = IdRecord::kProgressiva,
     .nome = "progressiva chilometrica",
     .testo = T::kLinea,
     .sezione = "[generale]",
     .parola = "progressiva chilometrica uno",
     .parole = {"progressiva"},
     .varianti = {"tre", "due", "uno"},
     .maiuscole = true,
     .generale = true,
     .significato = "One of three kilometre-post series. A series not used is written 0, 0, 0.",
     .note = "The word uno, due or tre in the keyword names the series 1, 2 or 3."
             " The positions are tested at the end of the service text (error 2).",
     .campi = kProgressive},
    {.id = IdRecord::kSfondo,
     .nome = "sfondo",
     .testo = T::kLinea,
     .sezione = "[generale]",
     .parola = "sfondo uno",
     .parole = {"sfondo"},
     .varianti = {"uno", "due", "tre"},
     .maiuscole = true,
     .generale = true,
     .significato = "One of three background settings.",
     .note = "The word uno, due or tre in the keyword names the setting.",
     .campi = kSfondi},
    {.id = IdRecord::kRipetizioneSegnali,
     .nome = "ripetizione segnali",
     .testo = T::kLinea,
     .sezione = "[generale]",
     .parola = "ripetizione segnali 4 codici",
     .parole = {"segnali", "ripetizione"},
     .maiuscole = true,
     .generale = true,
     .significato = "The stretch with cab-signal repetition.",
     .note = "The keyword carries the number of codes (listed below); with no such digit, error 5.",
     .errori = {5},
     .campi = kRipetizione},
    {.id = IdRecord::kPendenza,
     .nome = "pendenza",
     .testo = T::kLinea,
     .sezione = "[pendenze]",
     .parola = "pendenza",
     .parole = {"pendenza"},
     .significato = "A change of gradient. Write the records with rising positions.",
     .campi = kPendenze},
    {.id = IdRecord::kCurva,
     .nome = "curva",
     .testo = T::kLinea,
     .sezione = "[curve]",
     .parola = "curvas1",
     .parole = {"curva"},
     .significato = "A curve of the track plan. Write the records with rising positions.",
     .note = "The keyword carries the side and the class (listed below); with no class digit, error 103. "
             "A compile without the track plan (--no-plan) does not recognise curves: their values are then "
             "read as keywords.",
     .errori = {103},
     .campi = kCurve},
    {.id = IdRecord::kMontagna,
     .nome = "montagna",
     .testo = T::kLinea,
     .sezione = "[montagne]",
     .parola = "montagna",
     .parole = {"montagna"},
     .significato = "A tunnel.",
     .note = "At most 80 tunnels; more is a run-time fault.",
     .campi = kMontagne},
    {.id = IdRecord::kIndicatoriVMax,
     .nome = "indicatori_vmax",
     .testo = T::kLinea,
     .sezione = "[cartelli]",
     .parola = "indicatori_vmax",
     .parole = {"indicatori_v"},
     .significato = "A speed-limit board with three speeds and a number of stripes for each side.",
     .note = kVelocitaCartello,
     .campi = kCartelli},
    {.id = IdRecord::kCartelloIndicatore,
     .nome = "cartello_indicatore",
     .testo = T::kLinea,
     .sezione = "[indicazioni]",
     .parola = "cartello_indicatore",
     .parole = {"indicat", "cartello"},
     .significato = "An indication board with a short text.",
     .note = "At most 80 boards; more is a run-time fault. Their texts take the service table's entries from "
             "80 down, which the stations share (error 10).",
     .campi = kIndicazioni},

    {.id = IdRecord::kMassaFrenata,
     .nome = "massa frenata",
     .testo = T::kServizio,
     .sezione = "[generale]",
     .parola = "percentuale massa frenata",
     .parole = {"frenata", "massa"},
     .significato = "The train's braked mass.",
     .campi = kMassa},
    {.id = IdRecord::kVetture,
     .nome = "vetture",
     .testo = T::kServizio,
     .sezione = "[generale]",
     .parola = "numero vetture",
     .parole = {"vetture"},
     .significato = "The train's length in coaches.",
     .campi = kVettureCampi},
    {.id = IdRecord::kVelocita,
     .nome = "velocita",
     .testo = T::kServizio,
     .sezione = "[vel_limite]",
     .parola = "velocita",
     .parole = {"velocit"},
     .significato = "A change of timetable speed. Write the records with rising positions, the first at 0.",
     .campi = kVelocitaCampi},
    {.id = IdRecord::kAderenza,
     .nome = "aderenza",
     .testo = T::kServizio,
     .sezione = "[aderenze]",
     .parola = "aderenza",
     .parole = {"aderenza"},
     .significato = "A change of adhesion. Write the records with rising positions, the first at 0.",
     .campi = kAderenzaCampi},
    {.id = IdRecord::kOrologio,
     .nome = "orologio",
     .testo = T::kServizio,
     .sezione = "[generale]",
     .parola = "orologio",
     .parole = {"orologio"},
     .significato = "The simulator clock at the start.",
     .campi = kOrologioCampi},
    {.id = IdRecord::kSabbia,
     .nome = "sabbia",
     .testo = T::kServizio,
     .sezione = "[generale]",
     .parola = "sabbia",
     .parole = {"sabbia"},
     .significato = "The sand setting.",
     .campi = kSabbiaCampi},
    {.id = IdRecord::kSegnale,
     .nome = "segnale",
     .testo = T::kServizio,
     .sezione = "[segnali]",
     .parola = "segnale",
     .parole = {"segnale"},
     .significato = "A signal.",
     .note = "Signals and slow-downs also get cab-signal code cells placed before them after both texts are "
             "read; where there is no room, errors 11 to 13.",
     .errori = {11},
     .campi = kSegnaleCampi},
    {.id = IdRecord::kRallentamento,
     .nome = "rallentamento",
     .testo = T::kServizio,
     .sezione = "[rallentamenti]",
     .parola = "rallentamento",
     .parole = {"rallentamento"},
     .significato = "A slow-down: a stretch run at a lower speed, announced by a warning.",
     .note = "Its cab-signal code cells are placed after both texts are read (errors 11 to 13). A slow-down "
             "whose start or warning falls in cell 1 takes a slot the files reserve (error 1251).",
     .errori = {11, 12, 13, 1251},
     .campi = kRallentamentoCampi},
    {.id = IdRecord::kAbbattimento,
     .nome = "abbattimento",
     .testo = T::kServizio,
     .sezione = "[codici]",
     .parola = "abbattimento",
     .parole = {"abbattimento"},
     .significato = "A step of the cab-signal code.",
     .note = "A code step in cell 1 takes a slot the files reserve (error 1250).",
     .errori = {1250},
     .campi = kAbbattimentoCampi},
    {.id = IdRecord::kStazione,
     .nome = "stazione",
     .testo = T::kServizio,
     .sezione = "[stazioni]",
     .parola = "stazione",
     .parole = {"stazione"},
     .significato = "A station of the timetable, with 16 numbers and its name.",
     .note = "A station's area must begin at least 350 m after the previous station's ends (error 22), and "
             "its station mark must fall beyond cell 1 (error 24). The stations share the service table with "
             "the indication boards' texts: 78 stations, less one per board (error 10).",
     .errori = {22, 24, 10},
     .campi = kStazioneCampi},
};

static_assert(std::size(kRecord) == size_t(IdRecord::kStazione) + 1);

constexpr bool in_ordine() {
  for (size_t i = 0; i < std::size(kRecord); ++i)
    if (size_t(kRecord[i].id) != i) return false;
  return true;
}
static_assert(in_ordine(), "kRecord is indexed by IdRecord");

}  // namespace

std::span<const RecordTesto> record_testi() { return kRecord; }

const RecordTesto& record_testo(IdRecord id) { return kRecord[size_t(id)]; }

VariantiTrovate riconosci(const RecordTesto& r, std::string_view campo) {
  auto contiene_parola = [&](const char* parola) {
    return r.maiuscole ? contiene_esatto(campo, parola) : contiene(campo, parola);
  };
  VariantiTrovate trovate;
  for (const char* parola : r.parole)
    if (parola && !contiene_parola(parola)) return trovate;
  if (!r.varianti[0]) {
    trovate.n = 1;
    return trovate;
  }
  for (uint8_t i = 0; i < r.varianti.size() && r.varianti[i]; ++i)
    if (contiene_parola(r.varianti[i])) trovate.indici[trovate.n++] = i;
  return trovate;
}

}  // namespace scenario

#include "compiler/binary_writer.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <type_traits>

#include "io/file_names.h"
#include "model/cp1252.h"
#include "model/errors.h"
#include "model/records.h"

namespace scenario {
namespace {

constexpr std::string_view kRiempitivo = "mmnnppqqrrssttuuvvzzmmnnpp";

// Little-endian serialisation, one member at a time, into a buffer of the
// size the caller has worked out; writing past it, or not filling it, is a
// fault of this file and is refused rather than left as a short file.
class Uscita {
public:
  explicit Uscita(size_t dimensione) : out_(dimensione, '\0'), p_(out_.data()), fine_(p_ + dimensione) {}
  // N bytes of v, lowest first.
  template <size_t N>
  void intero(uint64_t v) {
    spazio(N);
    unsigned char b[N];
    in_ordine<N>(b, v);
    std::memcpy(p_, b, N);
    p_ += N;
  }
  void u16(uint16_t v) { intero<2>(v); }
  // A record of N bytes of integer fields, with one check of the room for
  // all: `campi(metti)` calls metti(v) for each field in file order.
  template <size_t N, typename Campi>
  void record(Campi campi) {
    spazio(N);
    unsigned char b[N];
    unsigned char* q = b;
    campi([&q](auto v) { q = in_ordine<sizeof(v)>(q, static_cast<std::make_unsigned_t<decltype(v)>>(v)); });
    std::memcpy(p_, b, N);
    p_ += N;
  }
  void testo(std::string_view t) {
    spazio(t.size());
    std::memcpy(p_, t.data(), t.size());
    p_ += t.size();
  }
  std::string bytes() && {
    if (p_ != fine_) throw std::logic_error("binary file shorter than its computed size");
    return std::move(out_);
  }

private:
  void spazio(size_t n) {
    if (size_t(fine_ - p_) < n) throw std::logic_error("binary file longer than its computed size");
  }
  // The bytes of intero and record are put together first and copied as one
  // piece: a store through a char pointer could alias the pointer itself,
  // which would make the compiler reload it after every byte.
  // The N low bytes of v at q, lowest first; returns the byte after them.
  template <size_t N>
  static unsigned char* in_ordine(unsigned char* q, uint64_t v) {
    if constexpr (std::endian::native == std::endian::little)
      std::memcpy(q, &v, N);  // the machine's own order is the file's
    else
      for (size_t i = 0; i < N; ++i) q[i] = static_cast<unsigned char>((v >> (8 * i)) & 0xFF);
    return q + N;
  }
  std::string out_;
  char* p_;
  char* fine_;
};

std::string testo_codice(const RunState& s) {
  std::string t = s.servizio[kVoceTreno].testo + s.servizio[kVoceGenerale].testo;
  for (char& c : t) c = char(minuscola_cp1252(static_cast<unsigned char>(c)));
  return t + std::string(kRiempitivo);
}

// Stores the N low bytes of v at p, little-endian, as one piece; answers the
// byte after them.
template <int N>
char* metti(char* p, uint64_t v) {
  unsigned char b[N];
  for (int i = 0; i < N; ++i) b[i] = static_cast<unsigned char>((v >> (8 * i)) & 0xFF);
  std::memcpy(p, b, N);
  return p + N;
}

}  // namespace

int16_t codice_gara_og(const RunState& s) {
  std::string t = testo_codice(s);
  int32_t somma = 0;
  for (int i = 0; i < 25; ++i) somma += static_cast<unsigned char>(t[i]);
  return static_cast<int16_t>(somma);
}

int32_t codice_gara_st(const RunState& s) {
  std::string t = testo_codice(s);
  int32_t somma = 0;
  for (int i = 0; i < 25; ++i) somma += (i + 1) * static_cast<unsigned char>(t[i]);
  return somma;
}

int32_t memorizza_marcatori(RunState& s) {
  Voce& generale = s.servizio[kVoceGenerale];
  Cella& prima = s.celle.at(1);
  if (generale.campo7 != 0 || prima.valore1 != 0) return numero(Errore::MarcatoriOccupati);
  generale.campo7 = 610;
  prima.valore1 = 5121;
  if (generale.orario != 0 || prima.valore2 != 0) return numero(Errore::CodiciOccupati);
  generale.orario = codice_gara_st(s);
  prima.valore2 = codice_gara_og(s);
  return 0;
}

namespace {

// A plan value as the file holds it: the tag, then 2 bytes for an integer or
// 8 for a double, little-endian. Answers the byte after it.
char* metti_valore(char* p, const ValorePiano& v) {
  p = metti<2>(p, v.tag);
  if (v.tag == ValorePiano::kIntero) p = metti<2>(p, static_cast<uint16_t>(v.intero()));
  if (v.tag == ValorePiano::kDoppio) p = metti<8>(p, std::bit_cast<uint64_t>(v.doppio()));
  return p;
}

// On a little-endian machine the stretch of doubles a row knows of lies in
// memory exactly as in the file, and goes out from there with no copy, in
// pieces of at most kPezzoPiano bytes.
constexpr bool kDoppiComeNelFile = std::endian::native == std::endian::little;
constexpr size_t kValoriPezzo = kPezzoPiano / sizeof(ValorePiano);

}  // namespace

void scrivi_piano(const Planimetria& piano, const ByteSink& pezzo) {
  // The buffer is handed on as soon as it holds kPezzoPiano bytes or more,
  // so one more value always fits.
  std::unique_ptr<char[]> buffer(new char[kPezzoPiano + kByteMassimoPunto]);
  char* const inizio = buffer.get();
  char* p = inizio;
  auto consegna = [&] {
    if (p != inizio) pezzo({inizio, size_t(p - inizio)});
    p = inizio;
  };
  auto impacchetta = [&](const ValorePiano* v, const ValorePiano* fine) {
    for (; v != fine; ++v) {
      p = metti_valore(p, *v);
      if (size_t(p - inizio) >= kPezzoPiano) consegna();
    }
  };
  for (const auto& asse : piano.coordinata) {
    const AssePiano::Tratto doppi = kDoppiComeNelFile ? asse.tratto_di_doppi() : AssePiano::Tratto{};
    impacchetta(asse.begin(), asse.begin() + doppi.da);
    consegna();  // what was packed goes out before the stretch
    for (size_t i = doppi.da; i < doppi.a; i += kValoriPezzo) {
      const size_t n = std::min(kValoriPezzo, doppi.a - i);
      pezzo({reinterpret_cast<const char*>(asse.data() + i), n * sizeof(ValorePiano)});
    }
    impacchetta(asse.begin() + doppi.a, asse.end());
  }
  consegna();
}

std::string bytes_piano(const Planimetria& piano) {
  size_t dimensione = 0;
  for (const auto& asse : piano.coordinata)
    for (const ValorePiano& v : asse) dimensione += byte_punto(v);
  std::string out;
  out.reserve(dimensione);
  scrivi_piano(piano, [&out](std::string_view p) { out += p; });
  return out;
}

std::string bytes_tabella(const RunState& s) {
  size_t dimensione = 0;
  for (const Voce& v : s.servizio) {
    if (v.testo.size() > 0xFFFF) throw std::length_error("service text longer than 65535 bytes");
    dimensione += kByteVoceSenzaTesto + v.testo.size();
  }
  Uscita u(dimensione);
  for (const Voce& v : s.servizio) {
    campi_voce(v, [&u](const char*, const auto& campo) {
      using T = std::remove_cvref_t<decltype(campo)>;
      if constexpr (std::is_same_v<T, std::string>) {
        u.u16(static_cast<uint16_t>(campo.size()));
        u.testo(campo);
      } else {
        u.intero<sizeof(T)>(static_cast<std::make_unsigned_t<T>>(campo));
      }
    });
  }
  return std::move(u).bytes();
}

std::string bytes_griglia(const RunState& s) {
  Uscita u(s.celle.size() * kByteCella);
  for (const Cella& c : s.celle)
    u.record<kByteCella>([&c](auto metti) { campi_cella(c, [&metti](const char*, auto v) { metti(v); }); });
  return std::move(u).bytes();
}

// The three files replace the older set together: a failure while writing
// any of them leaves the older set as it was.
void scrivi_file_binari(const RunState& s, Folder& folder) {
  std::vector<FileToReplace> insieme;
  if (s.genera_linea)
    insieme.push_back(
        {nome_piano(s.percorso_nome), [&s](const ByteSink& pezzo) { scrivi_piano(s.planimetria, pezzo); }});
  const std::string tabella = bytes_tabella(s), griglia = bytes_griglia(s);
  insieme.push_back({nome_tabella(s.percorso_nome, s.treno_nome), [&](const ByteSink& pezzo) { pezzo(tabella); }});
  insieme.push_back({nome_griglia(s.percorso_nome, s.treno_nome), [&](const ByteSink& pezzo) { pezzo(griglia); }});
  replace_files(folder, insieme);
}

}  // namespace scenario

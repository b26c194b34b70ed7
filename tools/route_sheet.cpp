#include "tools/route_sheet.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <vector>

#include "model/cp1252.h"
#include "tools/svg_writer.h"

namespace scenario {
namespace {

constexpr double kLarghezza = 1188, kAltezza = 840;  // A4 landscape, 4 units per mm
constexpr double kAsseX0 = 90, kAsseX1 = 1150;       // the shared kilometre axis
constexpr double kMappaY0 = 62, kMappaY1 = 330;
constexpr double kQuotaY0 = 352, kQuotaY1 = 462;
constexpr double kVelY0 = 482, kVelY1 = 632;
constexpr double kStrisciaY0 = 652, kStrisciaY1 = 802;

std::string metri(int64_t m) { return std::to_string(m) + " m"; }

std::string orario(int32_t secondi) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%d:%02d:%02d", secondi / 3600, (secondi / 60) % 60, secondi % 60);
  return buf;
}

class Foglio {
public:
  explicit Foglio(const RunState& s)
      : s_(s), svg_(kLarghezza, kAltezza, "297mm", "210mm"), celle_utili_(celle_con_dati()) {
    for (const Cella& c : s_.celle)
      if (c.tipo == kCartelloIndicatore) voci_cartelli_.insert(c.valore1);
  }

  std::string disegna() {
    titolo();
    mappa();
    assi();
    quota();
    velocita();
    striscia();
    return svg_.chiudi();
  }

  // Cells up to the last one the line data reached (the last cells stay empty).
  int64_t celle_con_dati() const {
    int64_t n = static_cast<int64_t>(s_.celle.size());
    while (n > 1 && s_.celle[n - 1].pendenza == 0 && s_.celle[n - 1].vel_limite == 0) --n;
    return n;
  }
  double lunghezza() const { return std::max<double>(50, double(s_.celle.size()) * 50); }
  double x_di(double metri_) const { return kAsseX0 + metri_ / lunghezza() * (kAsseX1 - kAsseX0); }
  double x_cella(int64_t i) const { return x_di(double(i) * 50); }
  // Signals, boards and slow-downs mark the cell after their position; code
  // steps mark the cell of theirs.
  static int64_t metri_oggetto(const Cella& c, int64_t i) {
    bool di_corsa = c.tipo == kCodice || c.tipo == kCodiceSenzaValore;
    return di_corsa ? i * 50 : (i - 1) * 50;
  }

  std::vector<int> stazioni() const {
    std::vector<int> v;
    for (int i = 1; i <= 80; ++i)
      if (!s_.servizio[i].testo.empty() && !voci_cartelli_.count(i)) v.push_back(i);
    return v;
  }
  int contare(uint8_t tipo) const {
    return static_cast<int>(
        std::count_if(s_.celle.begin(), s_.celle.end(), [&](const Cella& c) { return c.tipo == tipo; }));
  }

  std::string riassunto() const {
    const Voce& generale = s_.servizio[kVoceGenerale];
    return "route " + metri(s_.servizio[kVocePercorso].fine) + " \xC2\xB7 " + std::to_string(stazioni().size()) +
           " stations \xC2\xB7 " + std::to_string(contare(kSegnale)) + " signals \xC2\xB7 scenario codes " +
           std::to_string(generale.orario) + " / " + std::to_string(s_.celle.size() > 1 ? s_.celle[1].valore2 : 0);
  }

  AsseFoglio asse() const { return {kAsseX0, kAsseX1, lunghezza(), kQuotaY0, kStrisciaY1}; }

private:
  void titolo() {
    std::string riga = cp1252_a_utf8(s_.percorso_nome) + " \xE2\x80\x94 " + cp1252_a_utf8(s_.treno_nome);
    svg_.testo(30, 30, riga, "font-size=\"20\" font-weight=\"bold\"");
    svg_.testo(30, 50, riassunto(), "font-size=\"12\" fill=\"#333\"");
  }

  void mappa();
  void assi();
  void quota();
  void velocita();
  void striscia();
  void striscia_oggetti();
  void striscia_stazioni();
  void striscia_gallerie();

  const RunState& s_;
  Svg svg_;
  int64_t celle_utili_;
  std::set<int> voci_cartelli_;
};

// The track plan in true proportions, north up, with stations, tunnels and
// kilometre ticks.
void Foglio::mappa() {
  const auto& px = s_.planimetria.coordinata[0];
  const auto& py = s_.planimetria.coordinata[1];
  svg_.rettangolo(30, kMappaY0, kLarghezza - 60, kMappaY1 - kMappaY0, "fill=\"#f7f7f2\" stroke=\"#bbb\"");
  // A point is drawn when both its values are numbers: an empty element, or a
  // NaN or infinity a damaged file may hold, is left out (and counted, to say so).
  auto disegnabile = [&](size_t k) {
    return k < px.size() && !px[k].vuoto() && !py[k].vuoto() && std::isfinite(px[k].come_doppio()) &&
           std::isfinite(py[k].come_doppio());
  };
  size_t non_finiti = 0;
  double x0 = 1e300, x1 = -1e300, y0 = 1e300, y1 = -1e300;
  for (size_t k = 0; k < px.size(); ++k) {
    if (px[k].vuoto() || py[k].vuoto()) continue;
    if (!disegnabile(k)) {
      ++non_finiti;
      continue;
    }
    x0 = std::min(x0, px[k].come_doppio()), x1 = std::max(x1, px[k].come_doppio());
    y0 = std::min(y0, py[k].come_doppio()), y1 = std::max(y1, py[k].come_doppio());
  }
  if (x0 > x1) {
    svg_.testo(40, kMappaY0 + 20, "no track plan", "font-size=\"12\" fill=\"#777\"");
    return;
  }
  const double larg = kLarghezza - 100, alt = kMappaY1 - kMappaY0 - 30;
  const double scala = std::min(larg / std::max(1.0, x1 - x0), alt / std::max(1.0, y1 - y0));
  const double cx = 30 + (kLarghezza - 60) / 2 - (x0 + x1) / 2 * scala;
  const double cy = (kMappaY0 + kMappaY1) / 2 + (y0 + y1) / 2 * scala;
  if (non_finiti > 0)
    svg_.testo(40, kMappaY0 + 20, std::to_string(non_finiti) + " plan points that are not numbers left out",
               "font-size=\"9\" fill=\"#b00\"");
  auto punto = [&](size_t k, double& x, double& y) {
    if (!disegnabile(k)) return false;
    x = cx + px[k].come_doppio() * scala;
    y = cy - py[k].come_doppio() * scala;
    return true;
  };
  auto tratto = [&](size_t da, size_t a, std::string_view stile) {
    std::string punti;
    double x, y;
    for (size_t k = da; k <= a; k += 25)
      if (punto(k, x, y)) punti += Svg::numero(x) + "," + Svg::numero(y) + " ";
    if (punto(a, x, y)) punti += Svg::numero(x) + "," + Svg::numero(y);
    svg_.polilinea(punti, stile);
  };
  tratto(0, px.size() - 1, "stroke=\"#222\" stroke-width=\"1.5\"");
  for (int64_t a = 0; a < int64_t(s_.celle.size());) {
    if (s_.celle[a].montagna == 0) {
      ++a;
      continue;
    }
    int64_t b = a;
    while (b + 1 < int64_t(s_.celle.size()) && s_.celle[b + 1].montagna != 0) ++b;
    tratto(size_t(a * 50), std::min(px.size() - 1, size_t((b + 1) * 50)),
           "stroke=\"#8a6d3b\" stroke-width=\"4\" stroke-opacity=\"0.6\"");
    a = b + 1;
  }
  double x, y;
  for (size_t k = 5000; k < px.size(); k += 5000)
    if (punto(k, x, y)) {
      svg_.cerchio(x, y, 1.5, "fill=\"#666\"");
      svg_.testo(x - 6, y + 3, std::to_string(k / 1000), "font-size=\"7\" fill=\"#666\" text-anchor=\"end\"");
    }
  for (int i : stazioni()) {
    const Voce& v = s_.servizio[i];
    if (v.posizione < 0 || !punto(size_t(v.posizione), x, y)) continue;
    std::string nome = cp1252_a_utf8(v.testo);
    svg_.gruppo("map-station", nome + " at " + metri(v.posizione), v.posizione);
    svg_.cerchio(x, y, 3, "fill=\"#c0392b\"");
    svg_.testo(x + 6, y + 3, nome, "font-size=\"8\"");
    svg_.fine_gruppo();
  }
}

// Vertical grid lines and kilometre labels shared by the three profiles.
void Foglio::assi() {
  for (double m = 0; m <= lunghezza(); m += 5000) {
    double x = x_di(m);
    svg_.linea(x, kQuotaY0, x, kStrisciaY1, "stroke=\"#ddd\" stroke-width=\"0.5\"");
    svg_.testo(x, kStrisciaY1 + 14, std::to_string(int(m / 1000)) + " km",
               "font-size=\"8\" text-anchor=\"middle\" fill=\"#555\"");
  }
  const std::pair<double, const char*> etichette[] = {
      {kQuotaY0, "elevation"}, {kVelY0, "line speed"}, {kStrisciaY0, "track"}};
  for (auto [y, nome] : etichette) svg_.testo(30, y + 10, nome, "font-size=\"9\" font-weight=\"bold\"");
}

// Elevation integrated from the gradient of each cell, with the gradient
// written where it changes.
void Foglio::quota() {
  std::vector<double> quote(1, 0.0);
  for (int64_t i = 0; i < celle_utili_; ++i) {
    int pendenza = s_.celle[i].pendenza == 0 ? 0 : s_.celle[i].pendenza - 100;
    quote.push_back(quote.back() + pendenza * 50.0 / 1000);
  }
  auto [minimo, massimo] = std::minmax_element(quote.begin(), quote.end());
  double basso = *minimo, alto = std::max(*massimo, *minimo + 10);
  auto y_di = [&](double q) { return kQuotaY1 - 8 - (q - basso) / (alto - basso) * (kQuotaY1 - kQuotaY0 - 22); };
  std::string punti;
  for (size_t i = 0; i < quote.size(); ++i)
    punti += Svg::numero(x_cella(int64_t(i))) + "," + Svg::numero(y_di(quote[i])) + " ";
  svg_.polilinea(punti, "stroke=\"#2e7d32\" stroke-width=\"1.2\"");
  int precedente = -1000;
  for (int64_t i = 0; i < celle_utili_; ++i) {
    int pendenza = s_.celle[i].pendenza - 100;
    if (s_.celle[i].pendenza == 0 || pendenza == precedente) continue;
    precedente = pendenza;
    std::string t = (pendenza > 0 ? "+" : "") + std::to_string(pendenza) + "\xE2\x80\xB0";
    svg_.gruppo("gradient", "gradient " + t + " from " + metri(i * 50), i * 50);
    svg_.testo(x_cella(i) + 1, y_di(quote[i]) - 4, t, "font-size=\"7\" fill=\"#2e7d32\"");
    svg_.fine_gruppo();
  }
  svg_.testo(kAsseX0 - 4, y_di(alto), Svg::numero(alto) + " m", "font-size=\"7\" text-anchor=\"end\"");
  svg_.testo(kAsseX0 - 4, y_di(basso), Svg::numero(basso) + " m", "font-size=\"7\" text-anchor=\"end\"");
}

// The line speed as a step line, with boards, slow-downs and code steps.
void Foglio::velocita() {
  int massima = 50;
  for (int64_t i = 0; i < celle_utili_; ++i) massima = std::max(massima, s_.celle[i].vel_limite * 5);
  massima = (massima + 49) / 50 * 50;
  auto y_di = [&](double v) { return kVelY1 - 6 - v / massima * (kVelY1 - kVelY0 - 20); };
  for (int v = 0; v <= massima; v += 50) {
    svg_.linea(kAsseX0, y_di(v), kAsseX1, y_di(v), "stroke=\"#eee\" stroke-width=\"0.5\"");
    svg_.testo(kAsseX0 - 4, y_di(v) + 3, std::to_string(v), "font-size=\"7\" text-anchor=\"end\"");
  }
  std::string punti;
  for (int64_t i = 0; i < celle_utili_; ++i) {
    double y = y_di(s_.celle[i].vel_limite * 5);
    punti +=
        Svg::numero(x_cella(i)) + "," + Svg::numero(y) + " " + Svg::numero(x_cella(i + 1)) + "," + Svg::numero(y) + " ";
  }
  svg_.polilinea(punti, "stroke=\"#1565c0\" stroke-width=\"1.2\"");
  for (int64_t i = 0; i < int64_t(s_.celle.size()); ++i) {
    const Cella& c = s_.celle[i];
    const double x = x_di(double(metri_oggetto(c, i))), y = y_di(c.vel_limite * 5);
    std::string dove = " at " + metri(metri_oggetto(c, i)) + " (cell " + std::to_string(i) + ")";
    if (c.tipo == kIndicatoreVMax) {
      svg_.gruppo("speed-board",
                  "speed-limit board" + dove + ": values " + std::to_string(c.valore1) + ", " +
                      std::to_string(c.valore2) + ", " + std::to_string(c.valore3) + ", stripes " +
                      std::to_string(c.valore4),
                  metri_oggetto(c, i));
      svg_.rettangolo(x - 2, kVelY0 + 4, 4, 6, "fill=\"#1565c0\"");
      svg_.fine_gruppo();
    } else if (c.tipo >= kFineRallentamento && c.tipo <= kAvvisoRallentamento) {
      static const char* const kNomi[] = {"slow-down end", "slow-down start", "slow-down warning"};
      svg_.gruppo("slow-down", std::string(kNomi[c.tipo - 2]) + dove + ": " + std::to_string(c.valore1) + " km/h",
                  metri_oggetto(c, i));
      svg_.linea(x, kVelY0 + 12, x, kVelY1 - 6, "stroke=\"#e67e22\" stroke-dasharray=\"3,2\"");
      svg_.fine_gruppo();
    } else if (c.tipo == kCodice || c.tipo == kCodiceSenzaValore) {
      std::string valore = c.tipo == kCodice ? std::to_string(c.valore1) : std::string("no value");
      svg_.gruppo("code-step", "cab-signal code step" + dove + ": " + valore, metri_oggetto(c, i));
      svg_.testo(x, y - 6, "\xE2\x97\x86", "font-size=\"8\" text-anchor=\"middle\" fill=\"#8e24aa\"");
      svg_.testo(x, y - 14, c.tipo == kCodice ? valore : "-",
                 "font-size=\"6\" text-anchor=\"middle\" fill=\"#8e24aa\"");
      svg_.fine_gruppo();
    }
  }
}

// Signals, stations, indication boards, tunnels and adhesion along the line.
void Foglio::striscia() {
  const char* righe[] = {"signals", "stations", "boards", "tunnels", "adhesion"};
  for (int r = 0; r < 5; ++r) {
    double y = kStrisciaY0 + 18 + r * 26;
    svg_.linea(kAsseX0, y, kAsseX1, y, "stroke=\"#ccc\" stroke-width=\"0.5\"");
    svg_.testo(kAsseX0 - 4, y + 3, righe[r], "font-size=\"7\" text-anchor=\"end\"");
  }
  striscia_oggetti();
  striscia_stazioni();
  striscia_gallerie();
}

void Foglio::striscia_oggetti() {
  const double y_segnali = kStrisciaY0 + 18, y_cartelli = kStrisciaY0 + 70;
  for (int64_t i = 0; i < int64_t(s_.celle.size()); ++i) {
    const Cella& c = s_.celle[i];
    const double x = x_di(double(metri_oggetto(c, i)));
    std::string dove = " at " + metri(metri_oggetto(c, i)) + " (cell " + std::to_string(i) + ")";
    if (c.tipo == kSegnale) {
      svg_.gruppo("signal",
                  "signal" + dove + ": values " + std::to_string(c.valore1) + ", " + std::to_string(c.valore2) + ", " +
                      std::to_string(c.valore3) + ", " + std::to_string(c.valore4) + ", time " +
                      std::to_string(c.tempo),
                  metri_oggetto(c, i));
      svg_.linea(x, y_segnali - 7, x, y_segnali + 7, "stroke=\"#c62828\" stroke-width=\"1.5\"");
      svg_.fine_gruppo();
    } else if (c.tipo == kCartelloIndicatore) {
      std::string t = c.valore1 >= 0 && c.valore1 < kVociServizio ? cp1252_a_utf8(s_.servizio[c.valore1].testo) : "";
      std::string righe;
      for (char ch : t) righe += ch == ')' ? std::string(")\n") : std::string(1, ch);
      svg_.gruppo("indication-board", "indication board" + dove + "\n" + righe, metri_oggetto(c, i));
      svg_.rettangolo(x - 3, y_cartelli - 4, 6, 8, "fill=\"#00897b\"");
      svg_.fine_gruppo();
    }
  }
  std::string punti;
  const double y_aderenza = kStrisciaY0 + 122;
  for (int64_t i = 0; i < celle_utili_; ++i) {
    double y = y_aderenza + 10 - s_.celle[i].aderenza * 20.0 / 255;
    punti +=
        Svg::numero(x_cella(i)) + "," + Svg::numero(y) + " " + Svg::numero(x_cella(i + 1)) + "," + Svg::numero(y) + " ";
  }
  svg_.polilinea(punti, "stroke=\"#6d4c41\" stroke-width=\"1\"");
}

void Foglio::striscia_stazioni() {
  const double y = kStrisciaY0 + 44;
  for (int i : stazioni()) {
    const Voce& v = s_.servizio[i];
    std::string nome = cp1252_a_utf8(v.testo);
    svg_.gruppo("station",
                nome + ": position " + metri(v.posizione) + ", area " + std::to_string(v.inizio) + " to " +
                    metri(v.fine) + ", type " + std::to_string(v.tipo) +
                    (v.orario ? ", time " + orario(v.orario) : std::string()),
                v.posizione);
    double x0 = x_di(std::max<double>(0, v.inizio)), x1 = x_di(std::max<double>(0, v.fine));
    svg_.rettangolo(x0, y - 5, std::max(1.5, x1 - x0), 10, "fill=\"#c0392b\" fill-opacity=\"0.7\"");
    svg_.testo(x_di(v.posizione), y - 8, nome, "font-size=\"6\" text-anchor=\"middle\"");
    svg_.fine_gruppo();
  }
}

void Foglio::striscia_gallerie() {
  const double y = kStrisciaY0 + 96;
  for (int64_t a = 0; a < int64_t(s_.celle.size());) {
    if (s_.celle[a].montagna == 0) {
      ++a;
      continue;
    }
    int64_t b = a;
    while (b + 1 < int64_t(s_.celle.size()) && s_.celle[b + 1].montagna == s_.celle[a].montagna) ++b;
    svg_.gruppo("tunnel",
                "tunnel type " + std::to_string(s_.celle[a].montagna) + " from " + std::to_string(a * 50) + " to " +
                    metri((b + 1) * 50),
                a * 50);
    svg_.rettangolo(x_cella(a), y - 5, std::max(1.5, x_cella(b + 1) - x_cella(a)), 10, "fill=\"#8a6d3b\"");
    svg_.fine_gruppo();
    a = b + 1;
  }
}

}  // namespace

std::string disegna_foglio(const RunState& s) { return Foglio(s).disegna(); }

std::string riassunto_foglio(const RunState& s) { return Foglio(s).riassunto(); }

AsseFoglio asse_foglio(const RunState& s) { return Foglio(s).asse(); }

}  // namespace scenario

#include "tools/svg_writer.h"

#include <cmath>
#include <cstdio>

namespace scenario {

Svg::Svg(double larghezza, double altezza, std::string_view larghezza_fisica, std::string_view altezza_fisica) {
  out_ << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
       << "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" << larghezza_fisica << "\" height=\""
       << altezza_fisica << "\" viewBox=\"0 0 " << numero(larghezza) << " " << numero(altezza)
       << "\" font-family=\"sans-serif\">\n"
       << "<rect x=\"0\" y=\"0\" width=\"" << numero(larghezza) << "\" height=\"" << numero(altezza)
       << "\" fill=\"white\"/>\n";
}

std::string Svg::numero(double v) {
  if (std::fabs(v) < 0.05) v = 0;
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.1f", v);
  std::string s = buf;
  if (s.size() > 2 && s.compare(s.size() - 2, 2, ".0") == 0) s.resize(s.size() - 2);
  return s;
}

std::string Svg::escape(std::string_view utf8) {
  std::string out;
  for (char c : utf8) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default:
        // Control characters are not allowed in XML 1.0 text.
        if (static_cast<unsigned char>(c) < 0x20 && c != '\n' && c != '\t')
          out += ' ';
        else
          out += c;
    }
  }
  return out;
}

void Svg::gruppo(std::string_view classe, std::string_view titolo, std::optional<int64_t> metri) {
  out_ << "<g class=\"" << classe << "\"";
  if (metri) out_ << " data-m=\"" << *metri << "\"";
  out_ << ">";
  if (!titolo.empty()) out_ << "<title>" << escape(titolo) << "</title>";
  out_ << "\n";
}

void Svg::fine_gruppo() { out_ << "</g>\n"; }

void Svg::linea(double x1, double y1, double x2, double y2, std::string_view stile) {
  out_ << "<line x1=\"" << numero(x1) << "\" y1=\"" << numero(y1) << "\" x2=\"" << numero(x2) << "\" y2=\""
       << numero(y2) << "\" " << stile << "/>\n";
}

void Svg::rettangolo(double x, double y, double w, double h, std::string_view stile) {
  out_ << "<rect x=\"" << numero(x) << "\" y=\"" << numero(y) << "\" width=\"" << numero(w) << "\" height=\""
       << numero(h) << "\" " << stile << "/>\n";
}

void Svg::cerchio(double x, double y, double r, std::string_view stile) {
  out_ << "<circle cx=\"" << numero(x) << "\" cy=\"" << numero(y) << "\" r=\"" << numero(r) << "\" " << stile << "/>\n";
}

void Svg::testo(double x, double y, std::string_view t, std::string_view stile) {
  out_ << "<text x=\"" << numero(x) << "\" y=\"" << numero(y) << "\" " << stile << ">" << escape(t) << "</text>\n";
}

void Svg::polilinea(const std::string& punti, std::string_view stile) {
  out_ << "<polyline fill=\"none\" points=\"" << punti << "\" " << stile << "/>\n";
}

std::string Svg::chiudi() {
  out_ << "</svg>\n";
  return out_.str();
}

}  // namespace scenario

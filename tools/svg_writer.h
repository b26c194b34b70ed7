#pragma once
// A small helper that writes SVG elements with numbers in a fixed format and
// texts escaped for XML.

#include <cstdint>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

namespace scenario {

class Svg {
public:
  Svg(double larghezza, double altezza, std::string_view larghezza_fisica, std::string_view altezza_fisica);

  // Opens a group with a class and a hover title; close it with fine_gruppo().
  // `metri`, when given, is where the object stands on the line (data-m),
  // for a page that points at it.
  void gruppo(std::string_view classe, std::string_view titolo = {}, std::optional<int64_t> metri = {});
  void fine_gruppo();
  void linea(double x1, double y1, double x2, double y2, std::string_view stile);
  void rettangolo(double x, double y, double w, double h, std::string_view stile);
  void cerchio(double x, double y, double r, std::string_view stile);
  void testo(double x, double y, std::string_view testo, std::string_view stile);
  // A polyline through "x,y x,y ..." points already formatted.
  void polilinea(const std::string& punti, std::string_view stile);
  std::string chiudi();

  static std::string numero(double v);
  static std::string escape(std::string_view utf8);

private:
  std::ostringstream out_;
};

}  // namespace scenario

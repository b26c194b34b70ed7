#pragma once
// Line and service texts for a made-up route of any length, for measuring how
// the compile grows with the route. Every 10 km of route repeats the same mix
// of records, at about the density of the built-in line: 2 curves, 4 gradient
// changes, 3 speed-limit boards, 2 timetable speeds, 4 signals and 1 code
// step; a tunnel every 30 km, an adhesion change every 30 km and a slow-down
// every 50 km. Stations and indication boards share the 80 text entries of the
// service table, so on long routes they are spread further apart (at most 45
// stations and 30 boards). The texts compile without any recorded error.

#include <cstdint>
#include <string>

namespace scenario::bench {

struct TestiPercorso {
  std::string linea;     // the line description, CR LF lines
  std::string servizio;  // the service description, CR LF lines
};

// `km`: a multiple of 10 from 10 to 1000 (the longest route the line parser
// accepts is 1,000,000 m).
TestiPercorso genera_percorso(int32_t km);

}  // namespace scenario::bench

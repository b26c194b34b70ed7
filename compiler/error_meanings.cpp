#include "compiler/error_meanings.h"

namespace scenario {

std::string_view significato_errore(int32_t n) {
  switch (n) {
    case 1: return "route length above 1,000,000 m";
    case 2: return "a kilometre-post series starts or ends off a multiple of 50 m";
    case 3: return "cab-signal repetition starts off a multiple of 50 m";
    case 4: return "cab-signal repetition ends off a multiple of 50 m";
    case 5: return "cab-signal repetition keyword names neither 4 nor 9 codes";
    case 6: return "indication board on an occupied cell";
    case 7: return "cab-signal code step on an occupied cell";
    case 8: return "station position not a multiple of 50 m";
    case 9: return "station length not a multiple of 100 m";
    case 10: return "too many stations: they reach the indication-board texts";
    case 11: return "no room for a code cell in front of a signal behind a slow-down warning";
    case 12: return "no free cell for a code point before a slow-down start";
    case 13: return "no free cell for a code cell inside or after a slow-down";
    case 15: return "record position beyond the end of the route";
    case 16: return "signal on an occupied cell";
    case 17: return "slow-down warning cell occupied";
    case 18: return "slow-down start cell occupied";
    case 19: return "slow-down end cell occupied";
    case 20: return "a cell of the slow-down warning sequence occupied";
    case 21: return "speed-limit board on an occupied cell";
    case 22: return "station begins less than 350 m after the previous station ends";
    case 24: return "station mark would fall at cell 1 or below";
    case 25: return "run-time fault while reading a description text";
    case 101: return "line description text missing";
    case 102: return "line description text has no [generale] section";
    case 103: return "curve without a class digit 1 to 6, or track plan longer than 1,000,000 m";
    case 1250: return "format-marker slots not empty";
    case 1251: return "scenario-code slots not empty";
    default: return {};
  }
}

}  // namespace scenario

#pragma once
// The route and the train of the built-in scenario.

#include <string>

namespace scenario {

inline const std::string kPercorsoNome = "Valmora - Dorvane";
inline const std::string kTrenoNome = "ICN 853";

}  // namespace scenario

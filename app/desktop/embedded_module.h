#pragma once
// The desktop window module carried inside the program (a shared object).

#include <string_view>

namespace scenario {

std::string_view modulo_desktop();

}  // namespace scenario

#pragma once
// What each error number of the compiler means, in a few plain words.

#include <cstdint>
#include <string_view>

namespace scenario {

// The meaning of error `n`; an empty view for a number the compiler never records.
std::string_view significato_errore(int32_t n);

}  // namespace scenario

#pragma once
// Plain words for the rows of the texts' record table, shared by the
// editor's hovers and the format reference, so both say the same thing.

#include <cstdint>
#include <string>

#include "compiler/text_records.h"

namespace scenario::tools {

// The numbers a value is read into, and how to say it.
struct Width {
  int64_t low;
  int64_t high;
  const char* words;  // "a 32-bit number", "a 16-bit number", "one byte"
};
Width width_of(Lettura l);

// "accepted: -100 to 155; a multiple of 50; read as a 32-bit number"
std::string range_words(const CampoRecord& c);

// How the compiler keeps any value of the field, in general terms.
std::string storage_words(const CampoRecord& c);

// "inizio, fine, tipo"
std::string values_list(const RecordTesto& r);

// "line text" or "service text"
const char* text_name(TestoDescrizione t);

}  // namespace scenario::tools

#pragma once
// `scenario-tool sheet`: reads a compiled scenario's three binary files from a
// folder and draws its route sheet.

#include <ostream>
#include <string>

namespace scenario::tools {

struct SheetRequest {
  std::string folder = ".";
  std::string route;  // UTF-8, as typed
  std::string train;
  std::string output;
  bool wait = true;  // for another run writing into either folder; false: fail at once
};

// Answers the exit status: 0 drawn, 1 when a file is missing, damaged or the
// sheet cannot be written (or, without `wait`, another run is writing into
// either folder). The plan file is optional: without it the map is
// left out.
int run_sheet(const SheetRequest& request, std::ostream& err);

}  // namespace scenario::tools

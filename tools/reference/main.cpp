// format-reference EXAMPLES_DIR: prints the authors' format reference
// (docs/format.md) made from the compiler's tables and the error examples.

#include <exception>
#include <iostream>

#include "tools/format_reference.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: format-reference EXAMPLES_DIR\n";
    return 64;
  }
  try {
    std::cout << scenario::tools::format_reference(scenario::tools::load_error_examples(argv[1]));
  } catch (const std::exception& e) {
    std::cerr << "format-reference: " << e.what() << "\n";
    return 1;
  }
  return 0;
}

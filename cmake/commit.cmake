# Writes OUTPUT, a header naming the commit the programs are built from
# (SCENARIO_COMMIT), for --version. Run at every build; the file is touched
# only when the commit changes, so nothing is rebuilt for nothing.
execute_process(COMMAND git -C ${SOURCE} describe --always --dirty --abbrev=12
                OUTPUT_VARIABLE commit OUTPUT_STRIP_TRAILING_WHITESPACE
                RESULT_VARIABLE status ERROR_QUIET)
if(NOT status EQUAL 0 OR commit STREQUAL "")
  set(commit "unknown")
endif()
file(CONFIGURE OUTPUT ${OUTPUT}.new CONTENT "#pragma once\n#define SCENARIO_COMMIT \"${commit}\"\n")
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.new)

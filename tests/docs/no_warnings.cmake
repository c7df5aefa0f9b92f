# cmake -DLOG=<warnings.log> -P no_warnings.cmake: fails, listing them, when
# Doxygen wrote any warning.
if(NOT EXISTS "${LOG}")
  message(FATAL_ERROR "${LOG} is missing: the docs target did not run")
endif()
file(STRINGS "${LOG}" warnings)
list(LENGTH warnings count)
if(count GREATER 0)
  list(JOIN warnings "\n" text)
  message(FATAL_ERROR "Doxygen wrote ${count} warnings:\n${text}")
endif()

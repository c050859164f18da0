# CLI11 and nlohmann-json, the header-only libraries of baitcheck, from the
# Debian packages libcli11-dev and nlohmann-json3-dev. Both end in the
# targets CLI11::CLI11 and nlohmann_json::nlohmann_json.
#
# A native build finds their CMake packages as usual. A cross build (the
# Windows program) looks only in the target's root (see
# mingw-w64-x86_64.cmake), where Debian has no copy. The headers are the same
# for every target, so it takes them from the build machine, but through a
# folder of its own holding only these two libraries: the build machine's
# /usr/include on a cross compiler's path would put its C library's headers
# in place of the target's.
if(NOT CMAKE_CROSSCOMPILING)
  find_package(CLI11 CONFIG REQUIRED)
  find_package(nlohmann_json 3 CONFIG REQUIRED)
  return()
endif()

set(BANALYSE_HEADER_ONLY_DIR ${PROJECT_BINARY_DIR}/header-only)
foreach(library IN ITEMS CLI nlohmann)
  if(library STREQUAL "CLI")
    set(header CLI/CLI.hpp)
  else()
    set(header nlohmann/json.hpp)
  endif()
  find_path(BANALYSE_${library}_INCLUDE_DIR ${header} NO_CMAKE_FIND_ROOT_PATH)
  if(NOT BANALYSE_${library}_INCLUDE_DIR)
    message(FATAL_ERROR "${header} not found: install libcli11-dev and nlohmann-json3-dev")
  endif()
  file(COPY ${BANALYSE_${library}_INCLUDE_DIR}/${library} DESTINATION ${BANALYSE_HEADER_ONLY_DIR})
endforeach()

foreach(target IN ITEMS CLI11::CLI11 nlohmann_json::nlohmann_json)
  add_library(${target} INTERFACE IMPORTED)
  set_target_properties(${target} PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES ${BANALYSE_HEADER_ONLY_DIR})
endforeach()

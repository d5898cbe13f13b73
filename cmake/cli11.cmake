# CLI11::CLI11, the command-line parser (header only). Debian's package config
# adds -isystem /usr/include, which would put the Linux headers before the
# cross compiler's own; a cross build gets a folder holding CLI11's headers
# alone instead.
if(CMAKE_CROSSCOMPILING)
  find_path(QUORVEL_CLI11_INCLUDE CLI/CLI.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  set(cli11_headers ${CMAKE_BINARY_DIR}/cli11/include)
  file(COPY ${QUORVEL_CLI11_INCLUDE}/CLI DESTINATION ${cli11_headers})
  add_library(quorvel_cli11 INTERFACE)
  target_include_directories(quorvel_cli11 SYSTEM INTERFACE ${cli11_headers})
  add_library(CLI11::CLI11 ALIAS quorvel_cli11)
else()
  find_package(CLI11 CONFIG REQUIRED)
endif()

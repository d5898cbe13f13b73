# The Windows download, quorvel-<version>-win32.zip in the build folder: the
# module, the runner and a short README, side by side at the top of the zip.
# The zip holds stripped copies of the module and the runner; the build tree
# keeps the full ones, debug information and all, for debugging.
if(NOT CMAKE_STRIP)
  message(FATAL_ERROR "The Windows zip needs the toolchain's strip (CMAKE_STRIP)")
endif()
if(NOT CMAKE_OBJDUMP)
  message(FATAL_ERROR "The Windows zip needs the toolchain's objdump (CMAKE_OBJDUMP)")
endif()
set(package_dir ${CMAKE_BINARY_DIR}/package)
set(package_zip ${CMAKE_BINARY_DIR}/quorvel-${PROJECT_VERSION}-win32.zip)

# Checks that the stripped module still exports exactly _mod_descrip, the one
# symbol Layout looks for: --strip-unneeded leaves a DLL's export table alone,
# and this proves it on every build of the zip.
set(export_check ${CMAKE_BINARY_DIR}/check_package_exports.cmake)
file(WRITE ${export_check} [=[
execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE dump RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${DLL} failed")
endif()
# The table's entries are the lines "\t[   0] name" under its heading, up to
# the first empty line.
string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table\n([^\n]+\n)*" table "${dump}")
string(REGEX MATCHALL "\n[ \t]+\\[ *[0-9]+\\] [^\n]+" entries "${table}")
string(REGEX REPLACE "\n[ \t]+\\[ *[0-9]+\\] " "" exports "${entries}")
if(NOT exports STREQUAL "_mod_descrip")
  message(FATAL_ERROR "${DLL}: the export table holds '${exports}', not exactly _mod_descrip")
endif()
]=])

add_custom_command(
  OUTPUT ${package_zip}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${package_dir}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${package_dir}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:quorvel_module> $<TARGET_FILE:quorvel-run>
          ${PROJECT_SOURCE_DIR}/docs/README-windows.txt ${package_dir}
  COMMAND ${CMAKE_STRIP} --strip-unneeded ${package_dir}/quorvel.p
          ${package_dir}/quorvel-run.exe
  COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP} -DDLL=${package_dir}/quorvel.p
          -P ${export_check}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${package_zip}
  COMMAND ${CMAKE_COMMAND} -E chdir ${package_dir}
          ${CMAKE_COMMAND} -E tar cf ${package_zip} --format=zip
          quorvel.p quorvel-run.exe README-windows.txt
  DEPENDS quorvel_module quorvel-run ${PROJECT_SOURCE_DIR}/docs/README-windows.txt
          ${export_check}
  COMMENT "Packing ${package_zip}, with stripped copies of the module and the runner"
  VERBATIM)
add_custom_target(windows_package ALL DEPENDS ${package_zip})

# The Windows download, quorvel-<version>-win32.zip in the build folder: the
# module, the runner and a short README, side by side at the top of the zip.
set(package_dir ${CMAKE_BINARY_DIR}/package)
set(package_zip ${CMAKE_BINARY_DIR}/quorvel-${PROJECT_VERSION}-win32.zip)
add_custom_command(
  OUTPUT ${package_zip}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${package_dir}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${package_dir}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:quorvel_module> $<TARGET_FILE:quorvel-run>
          ${PROJECT_SOURCE_DIR}/docs/README-windows.txt ${package_dir}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${package_zip}
  COMMAND ${CMAKE_COMMAND} -E chdir ${package_dir}
          ${CMAKE_COMMAND} -E tar cf ${package_zip} --format=zip
          quorvel.p quorvel-run.exe README-windows.txt
  DEPENDS quorvel_module quorvel-run ${PROJECT_SOURCE_DIR}/docs/README-windows.txt
  COMMENT "Packing ${package_zip}")
add_custom_target(windows_package ALL DEPENDS ${package_zip})

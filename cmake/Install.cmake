# What `cmake --install` puts where, and the Debian package made from it.
#   make install PREFIX=...   cmake --install BUILD --prefix PREFIX
#   make package              scripts/package: a hardened build, then cpack
# Programs go to bin/, the sample intersection to share/roadside-tools/examples/
# (ctrlsim finds it there, relative to its own bin/: ctrlsim/CMakeLists.txt),
# manual pages, bash completion, desktop entries and icons to their places in
# share/.
set(PACKAGE_NAME roadside-tools)
set(PACKAGE_DATA_DIR share/${PACKAGE_NAME})
set(PACKAGE_DOC_DIR share/doc/${PACKAGE_NAME})
set(PACKAGE_MAINTAINER
  "Roadside tools maintainers <maintainers@users.noreply.c-seed-10e4b221.example>"
  CACHE STRING "The package's Maintainer field")

set(installed_programs "")
foreach(program veltro pendrel rendall tonvia tonviaw ctrlsim)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION bin)
    list(APPEND installed_programs ${program})
  endif()
endforeach()

install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/kruispunt
  DESTINATION ${PACKAGE_DATA_DIR}/examples)
install(FILES ${PROJECT_SOURCE_DIR}/examples/README.md DESTINATION ${PACKAGE_DATA_DIR}/examples)

# The Windows build: the programs and the sample in one zip (`make windows`).
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_NAME ${PACKAGE_NAME})
  set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
  set(CPACK_SYSTEM_NAME win64)
  set(CPACK_STRIP_FILES ON)
  include(CPack)
  return()
endif()

# Manual pages and the changelog are installed compressed, as Debian wants them
# (gzip -n: no name or time stamp, so that builds repeat byte for byte).
set(compressed_files "")
function(add_compressed source destination)
  get_filename_component(name ${source} NAME)
  set(copy ${PROJECT_BINARY_DIR}/compressed/${name})
  add_custom_command(OUTPUT ${copy}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${source} ${copy}
    COMMAND gzip -9nf ${copy}
    DEPENDS ${source} VERBATIM)
  install(FILES ${copy}.gz DESTINATION ${destination})
  set(compressed_files ${compressed_files} ${copy}.gz PARENT_SCOPE)
endfunction()

foreach(program IN LISTS installed_programs)
  # A stripped install (the package's) also drops the compiler's version notes.
  install(CODE "if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
      \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/${program}\")
  endif()")
  add_compressed(${PROJECT_SOURCE_DIR}/doc/${program}.1 share/man/man1)
  # bash-completion loads a command's completion from the file of its name.
  set(completion ${PROJECT_SOURCE_DIR}/packaging/completion/${program})
  if(program STREQUAL "tonviaw")
    set(completion ${PROJECT_SOURCE_DIR}/packaging/completion/tonvia)
  endif()
  install(FILES ${completion} DESTINATION share/bash-completion/completions
    RENAME ${program})
  if(program MATCHES "^(veltro|pendrel|tonviaw)$")
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/${program}.desktop
      DESTINATION share/applications)
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/icons/${program}.svg
      DESTINATION share/icons/hicolor/scalable/apps)
  endif()
endforeach()
add_compressed(${PROJECT_SOURCE_DIR}/packaging/changelog ${PACKAGE_DOC_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${PACKAGE_DOC_DIR})
# lintian's notes on the package belong to a system install (the package's) only.
install(CODE "if(CMAKE_INSTALL_PREFIX STREQUAL \"/usr\")
    file(INSTALL \"${PROJECT_SOURCE_DIR}/packaging/lintian-overrides\"
      DESTINATION \"\${CMAKE_INSTALL_PREFIX}/share/lintian/overrides\"
      RENAME ${PACKAGE_NAME})
  endif()")
add_custom_target(compressed_docs ALL DEPENDS ${compressed_files})

# Each manual page and completion names the options its program's usage does.
if(BUILD_TESTS)
  set(program_paths "")
  foreach(program IN LISTS installed_programs)
    list(APPEND program_paths "${program}=$<TARGET_FILE:${program}>")
  endforeach()
  add_test(NAME packaging_options_test
    COMMAND ${PROJECT_SOURCE_DIR}/tests/packaging/options_in_step_test
            ${PROJECT_SOURCE_DIR}/doc ${PROJECT_SOURCE_DIR}/packaging/completion
            ${program_paths})
  set_tests_properties(packaging_options_test PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "tools for traffic-signal controller applications")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Programs for the engineers who build, test and commission traffic-signal
controller applications of the Tiral framework:
 - veltro, the controller debugger (today its check of a project directory);
 - pendrel, which generates the debug screens from the application sources;
 - rendall, which turns a controller dump into a readable listing;
 - tonvia and tonviaw, which write the traffic simulator's file CONFIL;
 - ctrlsim, a simulated controller on TCP and a pseudo-terminal.
A sample intersection is included.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Beside the libraries that dpkg-shlibdeps finds: Qt's translations, which
# the programs load so that Qt's file, font and message dialogs speak the
# user's language.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)

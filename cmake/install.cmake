# Install rules: the editor and boardsmith-cli, the desktop integration (menu
# entry, icon, file types, AppStream metadata), the manual pages, the user
# documentation and the example projects, to the usual places under the prefix:
#
#   bin/                        boardsmith, boardsmith-cli
#   share/applications/         org.boardsmith.Boardsmith.desktop
#   share/icons/hicolor/        scalable/apps/org.boardsmith.Boardsmith.svg
#   share/mime/packages/        boardsmith.xml (projects and macros)
#   share/metainfo/             org.boardsmith.Boardsmith.metainfo.xml
#   share/man/man1/             boardsmith.1.gz, boardsmith-cli.1.gz
#   share/doc/boardsmith/       the manual (docs/), copyright, changelog.gz,
#                               examples/*.bsm6
#
# Without the editor (BOARDSMITH_BUILD_APP=OFF) only the command line, its
# manual page and the documentation are installed.
include(GNUInstallDirs)

set(BOARDSMITH_APP_ID org.boardsmith.Boardsmith)
set(BOARDSMITH_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/boardsmith)
set(BOARDSMITH_CONTACT "The Boardsmith developers <boardsmith@example.org>")
set(BOARDSMITH_HOMEPAGE "https://boardsmith.example.org/")

install(TARGETS boardsmith-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

if(BOARDSMITH_BUILD_APP)
  install(TARGETS boardsmith RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${PROJECT_SOURCE_DIR}/data/${BOARDSMITH_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/data/icons/${BOARDSMITH_APP_ID}.svg
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps)
  install(FILES ${PROJECT_SOURCE_DIR}/data/boardsmith-mime.xml
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/mime/packages RENAME boardsmith.xml)
  install(FILES ${PROJECT_SOURCE_DIR}/data/${BOARDSMITH_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
endif()

# The Debian changelog of the package (a native package has one entry per
# version); its date honours SOURCE_DATE_EPOCH.
string(TIMESTAMP BOARDSMITH_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
file(WRITE ${CMAKE_BINARY_DIR}/package-doc/changelog.new
  "boardsmith (${PROJECT_VERSION}) unstable; urgency=medium\n\n"
  "  * Boardsmith ${PROJECT_VERSION}.\n\n"
  " -- ${BOARDSMITH_CONTACT}  ${BOARDSMITH_CHANGELOG_DATE}\n")
# Rewritten only when the version changes, so a new configure run does not
# rebuild the package documentation.
file(STRINGS ${CMAKE_BINARY_DIR}/package-doc/changelog.new boardsmith_new_head LIMIT_COUNT 1)
set(boardsmith_old_head "")
if(EXISTS ${CMAKE_BINARY_DIR}/package-doc/changelog)
  file(STRINGS ${CMAKE_BINARY_DIR}/package-doc/changelog boardsmith_old_head LIMIT_COUNT 1)
endif()
if(NOT boardsmith_old_head STREQUAL boardsmith_new_head)
  file(RENAME ${CMAKE_BINARY_DIR}/package-doc/changelog.new ${CMAKE_BINARY_DIR}/package-doc/changelog)
else()
  file(REMOVE ${CMAKE_BINARY_DIR}/package-doc/changelog.new)
endif()

# Manual pages and the changelog are installed compressed with gzip -9n (no
# name or time stamp in the header) as Debian wants them; without gzip they
# are installed as they are.
find_program(BOARDSMITH_GZIP gzip)
set(boardsmith_man_pages ${PROJECT_SOURCE_DIR}/docs/man/boardsmith-cli.1)
if(BOARDSMITH_BUILD_APP)
  list(APPEND boardsmith_man_pages ${PROJECT_SOURCE_DIR}/docs/man/boardsmith.1)
endif()

file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/package-doc/gz)
set(boardsmith_gz_files)
# Installs a compressed copy of `source` (or the file itself without gzip).
function(boardsmith_install_gzipped source destination)
  if(NOT BOARDSMITH_GZIP)
    install(FILES ${source} DESTINATION ${destination})
    return()
  endif()
  get_filename_component(name ${source} NAME)
  set(copy ${CMAKE_BINARY_DIR}/package-doc/gz/${name})
  add_custom_command(OUTPUT ${copy}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${source} ${copy}
    COMMAND ${BOARDSMITH_GZIP} -9nf ${copy}
    DEPENDS ${source}
    COMMENT "Compressing ${name}"
    VERBATIM)
  install(FILES ${copy}.gz DESTINATION ${destination})
  set(boardsmith_gz_files ${boardsmith_gz_files} ${copy}.gz PARENT_SCOPE)
endfunction()

foreach(page IN LISTS boardsmith_man_pages)
  boardsmith_install_gzipped(${page} ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
boardsmith_install_gzipped(${CMAKE_BINARY_DIR}/package-doc/changelog ${BOARDSMITH_DOC_DIR})
add_custom_target(boardsmith_package_doc ALL DEPENDS ${boardsmith_gz_files})

# The user documentation: the manual and its pictures from docs/ (whatever is
# there), without the manual page sources.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/ DESTINATION ${BOARDSMITH_DOC_DIR}
  FILES_MATCHING PATTERN "*.md" PATTERN "*.png" PATTERN "*.svg" PATTERN "*.jpg"
  PATTERN "man" EXCLUDE)
install(FILES ${PROJECT_SOURCE_DIR}/data/copyright DESTINATION ${BOARDSMITH_DOC_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/examples/demo.bsm6 ${PROJECT_SOURCE_DIR}/examples/kinds.bsm6
  DESTINATION ${BOARDSMITH_DOC_DIR}/examples)

if(BOARDSMITH_BUILD_TESTS)
  add_subdirectory(${PROJECT_SOURCE_DIR}/tests/install ${CMAKE_BINARY_DIR}/tests/install)
endif()

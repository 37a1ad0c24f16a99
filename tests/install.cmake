# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a fresh prefix and checks that every file lands where the desktop,
# man and the shell look for it, and that the menu entry passes desktop-file-validate.
# cmake -DBUILD_DIR=... -DPREFIX=... -DDESKTOP=0|1 -P install.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${status}")
endif()

set(expected
  bin/kestrix-cli
  bin/kxrc
  share/bash-completion/completions/kestrix-cli
  share/man/man1/kestrix-cli.1
  share/doc/kestrix/LICENSE
  share/doc/kestrix/help/index.html
  share/doc/kestrix/help/manual.css
  share/doc/kestrix/help/main.html
  share/doc/kestrix/help/threads.html
  share/doc/kestrix/screenshots/main.png)
if(DESKTOP)
  list(APPEND expected
    bin/kestrix
    share/applications/kestrix.desktop
    share/metainfo/kestrix.metainfo.xml
    share/mime/packages/kestrix.xml
    share/icons/hicolor/scalable/apps/kestrix.svg)
  foreach(size 16 32 48 64 128 256)
    list(APPEND expected share/icons/hicolor/${size}x${size}/apps/kestrix.png)
  endforeach()
endif()
foreach(file IN LISTS expected)
  if(NOT EXISTS "${PREFIX}/${file}")
    message(SEND_ERROR "not installed: ${file}")
  endif()
endforeach()

# The installed programs run from the prefix and find what was installed beside them.
execute_process(COMMAND "${PREFIX}/bin/kestrix-cli" --version RESULT_VARIABLE status
                OUTPUT_VARIABLE version)
if(NOT status EQUAL 0 OR NOT version MATCHES "[0-9]+\\.[0-9]+")
  message(SEND_ERROR "the installed kestrix-cli does not run: ${status} ${version}")
endif()

if(DESKTOP)
  find_program(validate desktop-file-validate REQUIRED)
  execute_process(COMMAND ${validate} "${PREFIX}/share/applications/kestrix.desktop"
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT status EQUAL 0 OR NOT out STREQUAL "")
    message(SEND_ERROR "desktop-file-validate: ${out}")
  endif()
  # The menu entry opens definitions: its MIME type is the one the package defines.
  file(READ "${PREFIX}/share/applications/kestrix.desktop" entry)
  file(READ "${PREFIX}/share/mime/packages/kestrix.xml" mime)
  string(REGEX MATCH "MimeType=([^;\n]+)" ignored "${entry}")
  set(type "${CMAKE_MATCH_1}")
  if(NOT mime MATCHES "type=\"${type}\"" OR NOT mime MATCHES "pattern=\"\\*\\.cd\"")
    message(SEND_ERROR "the MIME type of the menu entry is not the one installed for *.cd")
  endif()
  # What the desktop's caches make of them: *.cd is that type, and kestrix opens it.
  find_program(update_mime update-mime-database REQUIRED)
  find_program(update_desktop update-desktop-database REQUIRED)
  execute_process(COMMAND ${update_mime} "${PREFIX}/share/mime" RESULT_VARIABLE mime_status)
  execute_process(COMMAND ${update_desktop} "${PREFIX}/share/applications"
                  RESULT_VARIABLE desktop_status)
  file(READ "${PREFIX}/share/mime/globs2" globs)
  file(READ "${PREFIX}/share/applications/mimeinfo.cache" handlers)
  if(NOT mime_status EQUAL 0 OR NOT desktop_status EQUAL 0
     OR NOT globs MATCHES ":${type}:\\*\\.cd\n"
     OR NOT handlers MATCHES "${type}=kestrix\\.desktop;")
    message(SEND_ERROR "*.cd files do not open in kestrix:\n${globs}\n${handlers}")
  endif()
endif()

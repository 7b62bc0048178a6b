# SPDX-License-Identifier: GPL-3.0-or-later
# Desktop integration and the Debian package: what `make install` and `make deb` put on a system,
# the window icon as a header the shell can include, and the CPack DEB settings.
# The fuzz build has no window and installs nothing.
if(ORBEX_FUZZ OR NOT TARGET orbex)
  return()
endif()

include(GNUInstallDirs)
set(ORBEX_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})
set(ORBEX_PACKAGING_OUT ${CMAKE_BINARY_DIR}/packaging)
# The AppStream component id. The project has no domain of its own yet, so the id sits under the
# reserved "example" top-level name; rename the metainfo file with it once there is a real one.
set(ORBEX_APPSTREAM_ID example.orbex.calculator)
# Where the screenshots of docs/ are published, if anywhere: AppStream takes web addresses only.
# Empty (the default): the metainfo has no screenshots rather than an address that serves none.
set(ORBEX_SCREENSHOT_URL "" CACHE STRING "Web folder holding window-two.png, window-one.png and window-portrait.png")

# The version and date of the package are those of the newest changelog entry.
file(STRINGS ${ORBEX_PACKAGING_DIR}/changelog ORBEX_CHANGELOG_HEAD LIMIT_COUNT 1)
if(NOT ORBEX_CHANGELOG_HEAD MATCHES "^orbex \\(([^)]+)\\)")
  message(FATAL_ERROR "packaging/changelog must start with an \"orbex (VERSION)\" line")
endif()
set(ORBEX_VERSION ${CMAKE_MATCH_1})
file(STRINGS ${ORBEX_PACKAGING_DIR}/changelog ORBEX_CHANGELOG_TRAILER REGEX "^ -- " LIMIT_COUNT 1)
if(NOT ORBEX_CHANGELOG_TRAILER MATCHES ", ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
  message(FATAL_ERROR "packaging/changelog: no date in the first entry's trailer line")
endif()
set(ORBEX_RELEASE_DAY ${CMAKE_MATCH_1})
set(ORBEX_RELEASE_YEAR ${CMAKE_MATCH_3})
set(ORBEX_MONTHS Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND ORBEX_MONTHS ${CMAKE_MATCH_2} ORBEX_RELEASE_MONTH)
math(EXPR ORBEX_RELEASE_MONTH "${ORBEX_RELEASE_MONTH} + 1")
if(ORBEX_RELEASE_MONTH LESS 10)
  set(ORBEX_RELEASE_MONTH 0${ORBEX_RELEASE_MONTH})
endif()
set(ORBEX_RELEASE_DATE ${ORBEX_RELEASE_YEAR}-${ORBEX_RELEASE_MONTH}-${ORBEX_RELEASE_DAY})
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${ORBEX_PACKAGING_DIR}/changelog)

# The icon at every size it is drawn at: hand-made SVG, PNG renderings from icons/render.sh.
set(ORBEX_ICON_SIZES 16 22 24 32 48 64 128 256)

# orbex_icon.h: the PNG renderings as byte arrays, for the window's own icon (Fl_PNG_Image reads
# them from memory, so the program needs no installed file to show it).
set(ORBEX_ICON_HEADER "// The calculator's icon as PNG data, generated from packaging/icons; do not edit.\n")
string(APPEND ORBEX_ICON_HEADER "#ifndef ORBEX_ICON_H\n#define ORBEX_ICON_H\n\n")
string(APPEND ORBEX_ICON_HEADER "/// One rendering of the icon: its width and height in pixels and its PNG bytes.\n")
string(APPEND ORBEX_ICON_HEADER "struct ClIcon_Png {\n    int iSize;\n    const unsigned char* aucData;\n    int iLength;\n};\n\n")
set(ORBEX_ICON_ROWS "")
foreach(ORBEX_SIZE IN ITEMS 16 32 48 64 128)
  set(ORBEX_PNG ${ORBEX_PACKAGING_DIR}/icons/orbex-${ORBEX_SIZE}.png)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${ORBEX_PNG})
  file(READ ${ORBEX_PNG} ORBEX_HEX HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," ORBEX_BYTES "${ORBEX_HEX}")
  string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)"
         "\\1\n    " ORBEX_BYTES "${ORBEX_BYTES}")
  string(APPEND ORBEX_ICON_HEADER "inline constexpr unsigned char gc_aucICON_${ORBEX_SIZE}[] = {\n    ${ORBEX_BYTES}};\n")
  string(APPEND ORBEX_ICON_ROWS "    {${ORBEX_SIZE}, gc_aucICON_${ORBEX_SIZE}, sizeof gc_aucICON_${ORBEX_SIZE}},\n")
endforeach()
string(APPEND ORBEX_ICON_HEADER "\n/// The renderings from the smallest to the largest.\n")
string(APPEND ORBEX_ICON_HEADER "inline constexpr ClIcon_Png gc_aICON_PNGS[] = {\n${ORBEX_ICON_ROWS}};\n\n#endif\n")
file(WRITE ${ORBEX_PACKAGING_OUT}/orbex_icon.h.new "${ORBEX_ICON_HEADER}")
configure_file(${ORBEX_PACKAGING_OUT}/orbex_icon.h.new ${CMAKE_BINARY_DIR}/generated/orbex_icon.h COPYONLY)
add_library(orbex_icon INTERFACE)
target_include_directories(orbex_icon INTERFACE ${CMAKE_BINARY_DIR}/generated)

# The metainfo: version and date from the changelog, screenshots only when they have an address.
set(ORBEX_SCREENSHOTS "")
if(ORBEX_SCREENSHOT_URL)
  string(REGEX REPLACE "/+$" "" ORBEX_URL "${ORBEX_SCREENSHOT_URL}")
  set(ORBEX_SCREENSHOTS "  <screenshots>\n")
  foreach(ORBEX_SHOT IN ITEMS "two;default;Two windows: the input line on the left, the results on the right"
                              "one;extra;One window: input and output in one display"
                              "portrait;extra;Portrait: one display above a tall, narrow panel of buttons")
    list(GET ORBEX_SHOT 0 ORBEX_NAME)
    list(GET ORBEX_SHOT 1 ORBEX_TYPE)
    list(GET ORBEX_SHOT 2 ORBEX_CAPTION)
    string(APPEND ORBEX_SCREENSHOTS "    <screenshot type=\"${ORBEX_TYPE}\">\n"
           "      <caption>${ORBEX_CAPTION}</caption>\n"
           "      <image>${ORBEX_URL}/window-${ORBEX_NAME}.png</image>\n    </screenshot>\n")
  endforeach()
  string(APPEND ORBEX_SCREENSHOTS "  </screenshots>\n")
endif()
set(ORBEX_METAINFO ${ORBEX_PACKAGING_OUT}/${ORBEX_APPSTREAM_ID}.metainfo.xml)
configure_file(${ORBEX_PACKAGING_DIR}/orbex.metainfo.xml.in ${ORBEX_METAINFO} @ONLY)

# Debian wants manual pages and changelogs compressed with gzip -9n (no name, no time stamp).
set(ORBEX_GZIPPED "")
foreach(ORBEX_SOURCE IN ITEMS man/orbex.1 man/orbex-batch.1 changelog)
  get_filename_component(ORBEX_NAME ${ORBEX_SOURCE} NAME)
  add_custom_command(OUTPUT ${ORBEX_PACKAGING_OUT}/${ORBEX_NAME}.gz
                     COMMAND gzip -9n -c ${ORBEX_PACKAGING_DIR}/${ORBEX_SOURCE} > ${ORBEX_PACKAGING_OUT}/${ORBEX_NAME}.gz
                     DEPENDS ${ORBEX_PACKAGING_DIR}/${ORBEX_SOURCE} VERBATIM)
  list(APPEND ORBEX_GZIPPED ${ORBEX_PACKAGING_OUT}/${ORBEX_NAME}.gz)
endforeach()
add_custom_target(orbex_package_files ALL DEPENDS ${ORBEX_GZIPPED})

# What gets installed, under the prefix of the user's choice (/usr in the package).
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
install(TARGETS orbex orbex-batch RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# A stripping install (the package's) also drops the compiler's .comment and the .note section,
# as Debian's own packaging does; plain strip keeps them.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    foreach(ORBEX_PROGRAM orbex orbex-batch)
      execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
                              \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/\${ORBEX_PROGRAM}\"
                      RESULT_VARIABLE ORBEX_STRIP_RESULT)
      if(NOT ORBEX_STRIP_RESULT EQUAL 0)
        message(FATAL_ERROR \"strip failed on \${ORBEX_PROGRAM}\")
      endif()
    endforeach()
  endif()")
install(FILES ${ORBEX_PACKAGING_DIR}/orbex.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${ORBEX_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${ORBEX_PACKAGING_DIR}/icons/orbex.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(ORBEX_SIZE IN LISTS ORBEX_ICON_SIZES)
  install(FILES ${ORBEX_PACKAGING_DIR}/icons/orbex-${ORBEX_SIZE}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${ORBEX_SIZE}x${ORBEX_SIZE}/apps RENAME orbex.png)
endforeach()
install(FILES ${ORBEX_PACKAGING_OUT}/orbex.1.gz ${ORBEX_PACKAGING_OUT}/orbex-batch.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${ORBEX_PACKAGING_OUT}/changelog.gz ${ORBEX_PACKAGING_DIR}/copyright
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The Debian package (make deb, which also passes Debian's hardening flags to the compiler).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orbex)
set(CPACK_PACKAGE_VERSION ${ORBEX_VERSION})
set(CPACK_PACKAGE_VENDOR "ORBEX Calculator")
set(CPACK_PACKAGE_CONTACT "Seed e5667f03 maintainers <maintainers@users.noreply.c-seed-e5667f03.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "matrix calculator for students of linear algebra")
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "A desktop calculator in which every value is a complex matrix: a scalar is a\n"
    "1 x 1 matrix and a vector a matrix of one row or one column. Buttons and keys\n"
    "type tokens into an input line; Enter evaluates it and shows the result in\n"
    "decimal, floating-point or rational form. Results can be kept in ten named\n"
    "variables, and earlier lines can be browsed, edited and run again.\n"
    "\n"
    "Functions include determinants, inverses, eigenvalues, the QR, Schur and\n"
    "singular value decompositions, reduced row echelon form and linear solving.\n"
    "\n"
    "The package also contains orbex-batch, which runs stored input lines without\n"
    "a display and prints what the calculator would show.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_GENERATOR "")
include(CPack)

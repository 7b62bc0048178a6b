# SPDX-License-Identifier: GPL-3.0-or-later
# The help, the guide and the About picture compiled into the window library: a build step turns
# them into byte arrays whenever one of them changes.
set(ORBEX_DOCS_DIR ${CMAKE_CURRENT_LIST_DIR})
set(ORBEX_DOCS_SOURCE ${CMAKE_BINARY_DIR}/generated/help_documents.cpp)
add_custom_command(
  OUTPUT ${ORBEX_DOCS_SOURCE}
  COMMAND ${CMAKE_COMMAND} -DDOCS=${ORBEX_DOCS_DIR} -DOUT=${ORBEX_DOCS_SOURCE} -P ${ORBEX_DOCS_DIR}/embed.cmake
  DEPENDS ${ORBEX_DOCS_DIR}/embed.cmake ${ORBEX_DOCS_DIR}/help.html ${ORBEX_DOCS_DIR}/guide.html
          ${ORBEX_DOCS_DIR}/about.jpg
  COMMENT "Embedding the help, the guide and the About picture"
  VERBATIM)
target_sources(orbex_shell PRIVATE ${ORBEX_DOCS_SOURCE})
target_link_libraries(orbex_shell PUBLIC fltk_images)

# SPDX-License-Identifier: GPL-3.0-or-later
# Writes a C++ source holding the help, the guide and the About picture as byte arrays.
# Run as: cmake -DDOCS=<shell/docs> -DOUT=<generated .cpp> -P embed.cmake

function(byte_array VAR FILE)
  file(READ "${FILE}" HEX HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," BYTES "${HEX}")
  # Sixteen bytes a line keeps the generated file readable.
  string(REGEX REPLACE "((0x..,){16})" "\\1\n    " BYTES "${BYTES}")
  set(${VAR} "${BYTES}" PARENT_SCOPE)
endfunction()

byte_array(HELP "${DOCS}/help.html")
byte_array(GUIDE "${DOCS}/guide.html")
byte_array(PICTURE "${DOCS}/about.jpg")
file(SIZE "${DOCS}/about.jpg" PICTURE_BYTES)

file(WRITE "${OUT}" "// Generated from shell/docs by embed.cmake; edit the documents, not this file.
#include \"help_windows.h\"

namespace {
const unsigned char lg_aucHelp[] = {
    ${HELP}0x00};
const unsigned char lg_aucGuide[] = {
    ${GUIDE}0x00};
const unsigned char lg_aucPicture[] = {
    ${PICTURE}};
}  // namespace

const char* const gc_acHELP_DOCUMENT = reinterpret_cast<const char*>(lg_aucHelp);
const char* const gc_acGUIDE_DOCUMENT = reinterpret_cast<const char*>(lg_aucGuide);
const unsigned char* const gc_aucABOUT_PICTURE = lg_aucPicture;
const int gc_iABOUT_PICTURE_BYTES = ${PICTURE_BYTES};
")

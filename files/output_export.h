// SPDX-License-Identifier: GPL-3.0-or-later
// File "Save Output" and "Save Graph": the output display's text as a plain text file a user can
// edit, and the graph's picture as an image file.
#pragma once

#include <string>

/// Asks for a name (not a data file's) and writes the output display's exact text without the
/// spacer and the line feed that opens the first output prompt; llDropped results that left the
/// display's top are told in a first line.
void saveOutputCommand(const std::string& sOutput_Text, long long llDropped = 0);

/// The text written for this output display text: all of it after its first 9 characters,
/// after a line that tells the results dropped, if any.
std::string outputFileText(const std::string& sOutput_Text, long long llDropped = 0);

/// With a graph window open, pfnRender takes its picture (false: it could not) before the chooser
/// covers anything; the picture is saved as PPM or BMP, as the name's extension says.
void saveGraphCommand(bool (*pfnRender)());

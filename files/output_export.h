// File "Save Output": the output display's text as a plain text file a user can edit.
#pragma once

#include <string>

/// Asks for a name (not a data file's) and writes the output display's exact text without the
/// spacer and the line feed that opens the first output prompt.
void saveOutputCommand(const std::string& sOutput_Text);

/// The text written for this output display text: all of it after its first 9 characters.
std::string outputFileText(const std::string& sOutput_Text);

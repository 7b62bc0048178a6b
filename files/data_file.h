// SPDX-License-Identifier: GPL-3.0-or-later
// The calculator's data file (".obx"): its byte code, writing a history or variable file, and
// reading one in full and checking it before anything in the calculator changes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "calculator.h"

inline constexpr char gc_acORBEX_SIGNATURE[] = "ORBEX_3.141592653897932";   ///< the first line of every file

constexpr unsigned gc_uiMAX_HISTORY_BLOCK = 4096;       ///< larger variables are saved as 0 x 0 in a history file
constexpr std::size_t gc_uiMAX_FILE_BYTES = 64u << 20;  ///< larger files are refused unread
constexpr std::size_t gc_uiMAX_COMMENT = 8191;          ///< characters of a comment, quotes included
constexpr std::size_t gc_uiMAX_OPEN_COMMENT = 8189;     ///< a comment still open may not grow past this
constexpr std::size_t gc_uiMAX_COMMENT_WORD = 255;      ///< characters of each later word of a comment

/// Encodes (CodeFile) or decodes (DCodeFile) a buffer in place, byte by byte.
void CodeFile(char* pcBuffer, std::size_t uiLength);
void DCodeFile(char* pcBuffer, std::size_t uiLength);

/// The payload text, before coding: a history file (the history and the variables of at most
/// 4096 entries) or a variable file (one variable, whatever its size).
std::string historyPayload();
std::string variablePayload(eTOKEN eVariable);

/// The bytes of the file that holds a payload: the payload coded.
std::string codedFile(std::string sPayload);

/// Everything a file holds, once read, decoded and checked.
struct ClDataFile {
    unsigned uiKind = 0;                  ///< 0 a history file, 6 to 15 the variable of a variable file
    std::vector<std::string> asEntries;   ///< history lines and comments (those start with '"'), in order
    std::vector<Matrix> amVariables;      ///< the ten blocks in slots 6 to 15, or the one of a variable
                                          ///< file; 0 rows: nothing to load
    std::string sReason;                  ///< why a file that reads as an ORBEX file was refused
};

/// How reading a file ended; each refusal has its message (none for the silent ones).
enum eREAD_RESULT {
    eRR_OK,
    eRR_CANNOT_OPEN,   ///< "File could not be opened"
    eRR_EMPTY,         ///< "File is empty"
    eRR_NOT_ORBEX,     ///< "'%s' is not a valid ORBEX file."
    eRR_READ_ERROR,    ///< "File read error": a variable block of a history file cut short
    eRR_REFUSED,       ///< "File read error: %s.": cut short, malformed or over a limit elsewhere
};

/// Reads, decodes and checks the whole file; the calculator is not touched.
eREAD_RESULT readDataFile(const char* acPath, ClDataFile& file);
/// The same for the file's bytes, and for its payload once decoded.
eREAD_RESULT decodeDataFile(std::string sBytes, ClDataFile& file);
eREAD_RESULT parsePayload(std::string_view sText, ClDataFile& file);

/// The message of a refusal ("" for eRR_OK), and showing it.
std::string readResultMessage(eREAD_RESULT eResult, const ClDataFile& file, const char* acPath);
void reportReadResult(eREAD_RESULT eResult, const ClDataFile& file, const char* acPath);

/// Loads a file as "Open" (uiMode 0) or the History menu's "Append" (any other mode): the line
/// being typed is entered first, then a history file replays its lines into the history without
/// evaluating them and fills the variables that are empty; a variable file overwrites its
/// variable. A refused file is reported and changes nothing. Returns whether it was loaded.
bool loadInFile(const char* acPath, unsigned short uiMode);

/// Applies a checked file: what loadInFile does once the file has passed.
void applyDataFile(const ClDataFile& file, unsigned short uiMode);
/// Runs the entries of a history file through the Enter action: lines are stored (and evaluated
/// only with bEvaluate and Execute on), comments are shown in the output.
void replayEntries(const std::vector<std::string>& asEntries, bool bEvaluate);
/// Copies the blocks of a history file into the variables that are still empty.
void fillEmptyVariables(const ClDataFile& file);
/// Runs a checked file as a script (orbex-batch): a history file fills the empty variables and
/// its lines are entered as typed lines are, evaluated when Execute is on; a variable file sets
/// its variable.
void runDataFile(const ClDataFile& file);

// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a data file: the whole file is read, decoded and checked word by word into a
// ClDataFile; nothing in the calculator changes here.
#include <cerrno>
#include <charconv>
#include <cmath>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "data_file.h"
#include "file_commands.h"
#include "execution_state.h"

namespace {

constexpr std::size_t gc_uiSIGNATURE_LENGTH = sizeof gc_acORBEX_SIGNATURE - 1;
constexpr unsigned long long gc_ullCOUNT_CAP = 1ull << 40;   ///< larger counts read as this

bool isSeparator(char c) { return c == ' ' || c == '\n' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

/// The payload holds printable characters and white space only.
bool isPayloadByte(char c) { return (c >= 33 && c <= 126) || isSeparator(c); }

/// The payload as words separated by white space; blanks and line feeds are interchangeable.
class ClWords {
public:
    explicit ClWords(std::string_view sText) : mp_sText(sText) {}

    /// The next word; false when the text has ended.
    bool next(std::string_view& sWord) {
        while (mp_uiPosition < mp_sText.size() && isSeparator(mp_sText[mp_uiPosition])) ++mp_uiPosition;
        const std::size_t uiStart = mp_uiPosition;
        while (mp_uiPosition < mp_sText.size() && !isSeparator(mp_sText[mp_uiPosition])) ++mp_uiPosition;
        sWord = mp_sText.substr(uiStart, mp_uiPosition - uiStart);
        return !sWord.empty();
    }

private:
    std::string_view mp_sText;
    std::size_t mp_uiPosition = 0;
};

/// A count in decimal digits and nothing else; larger values read as gc_ullCOUNT_CAP.
bool parseCount(std::string_view sWord, unsigned long long& ullValue) {
    if (sWord.empty()) return false;
    ullValue = 0;
    for (const char c : sWord) {
        if (c < '0' || c > '9') return false;
        ullValue = ullValue * 10 + static_cast<unsigned>(c - '0');
        if (ullValue > gc_ullCOUNT_CAP) ullValue = gc_ullCOUNT_CAP;
    }
    return true;
}

/// The next word as a count; false when the text has ended or the word is no count.
bool nextCount(ClWords& words, unsigned long long& ullValue) {
    std::string_view sWord;
    return words.next(sWord) && parseCount(sWord, ullValue);
}

/// A number written whole, as "%.15g" writes it: a finite one, or an infinity or NaN in the
/// one form the writer gives them.
bool parseReal(std::string_view sText, double& dValue) {
    const char* pcEnd = sText.data() + sText.size();
    const std::from_chars_result result = std::from_chars(sText.data(), pcEnd, dValue);
    if (result.ec != std::errc() || result.ptr != pcEnd) return false;
    return std::isfinite(dValue) || sText == "inf" || sText == "-inf" || sText == "nan" || sText == "-nan";
}

/// An entry in one of the forms re, (re) and (re,im).
bool parseEntry(std::string_view sWord, Complex& z) {
    double dReal = 0, dImag = 0;
    if (sWord.size() < 2 || sWord.front() != '(' || sWord.back() != ')') {
        if (!parseReal(sWord, dReal)) return false;
    } else {
        const std::string_view sInner = sWord.substr(1, sWord.size() - 2);
        const std::size_t uiComma = sInner.find(',');
        if (!parseReal(sInner.substr(0, uiComma), dReal)) return false;
        if (uiComma != std::string_view::npos && !parseReal(sInner.substr(uiComma + 1), dImag)) return false;
    }
    z = Complex(dReal, dImag);
    return true;
}

/// Sizes and entries of one block; the sizes are checked before the matrix is made. Over the
/// limits a history file's block refuses the file, a variable file's loads nothing unless its
/// row count alone is too large. A block without entries is nothing to load.
enum eBLOCK { eB_OK, eB_ENDED, eB_OVER_LIMIT, eB_ENTRIES_SHORT };

eBLOCK readBlock(ClWords& words, Matrix& mValue, bool bHistory) {
    unsigned long long ullRows = 0, ullCols = 0;
    if (!nextCount(words, ullRows) || !nextCount(words, ullCols)) return eB_ENDED;
    const bool bOver = ullRows > gc_iMAX_ENTRIES || ullCols > gc_iMAX_ENTRIES || ullRows * ullCols > gc_iMAX_ENTRIES;
    if (bOver && (bHistory || ullRows > gc_iMAX_ENTRIES)) return eB_OVER_LIMIT;
    mValue.resize(0, 0);
    if (bOver || ullRows * ullCols == 0) return eB_OK;
    mValue.resize(static_cast<Eigen::Index>(ullRows), static_cast<Eigen::Index>(ullCols));
    for (Eigen::Index iRow = 0; iRow < mValue.rows(); ++iRow) {
        for (Eigen::Index iCol = 0; iCol < mValue.cols(); ++iCol) {
            std::string_view sWord;
            if (!words.next(sWord) || !parseEntry(sWord, mValue(iRow, iCol))) return eB_ENTRIES_SHORT;
        }
    }
    return eB_OK;
}

/// Why a history line cannot be stored, or null: at most the codes a stored line holds, each
/// one a key's.
const char* storedLineProblem(std::string_view sWord) {
    if (sWord.size() > static_cast<std::size_t>(gc_iLINE_MAX_STORED)) return "is longer than 512 codes";
    for (const char c : sWord)
        if (tokenOfCode(static_cast<unsigned char>(c)) == eT_NULL) return "holds a code that no key types";
    return nullptr;
}

/// A refusal with its reason, which the message shows.
eREAD_RESULT refuse(ClDataFile& file, std::string sReason) {
    file.sReason = std::move(sReason);
    return eRR_REFUSED;
}

/// The reason of a block that could not be read.
eREAD_RESULT refuseBlock(ClDataFile& file, eBLOCK eBlock) {
    switch (eBlock) {
        case eB_ENDED: return refuse(file, "a variable's size is missing or not a count");
        case eB_OVER_LIMIT: return refuse(file, "a variable is larger than 262144 entries");
        default: return refuse(file, "a variable has too few entries, or one that is not a number");
    }
}

/// A comment from its first word: words are added, each after one blank, until one holds the
/// closing quote (a quote after the opening one). Over its limits it refuses the file.
bool readComment(ClWords& words, std::string_view sFirst, std::string& sComment) {
    sComment.assign(sFirst);
    bool bClosed = sFirst.find('"', 1) != std::string_view::npos;
    while (!bClosed) {
        std::string_view sWord;
        if (sComment.size() > gc_uiMAX_OPEN_COMMENT || !words.next(sWord) || sWord.size() > gc_uiMAX_COMMENT_WORD)
            return false;
        sComment += ' ';
        sComment += sWord;
        bClosed = sWord.find('"') != std::string_view::npos;
    }
    return sComment.size() <= gc_uiMAX_COMMENT;
}

eREAD_RESULT parseHistory(ClWords& words, ClDataFile& file) {
    unsigned long long ullCount = 0;
    if (!nextCount(words, ullCount)) return refuse(file, "the file ends before its history");
    if (ullCount > static_cast<unsigned>(gc_iHISTORY_SIZE)) return refuse(file, "it holds more than 1024 history lines");
    file.asEntries.resize(static_cast<std::size_t>(ullCount));
    for (std::size_t ui = 0; ui < file.asEntries.size(); ++ui) {
        std::string& sEntry = file.asEntries[ui];
        const std::string sWhich = "history line " + std::to_string(ui + 1);
        std::string_view sWord;
        if (!words.next(sWord)) return refuse(file, "the file ends before " + sWhich);
        if (sWord.front() == '"') {
            if (!readComment(words, sWord, sEntry)) return refuse(file, sWhich + " is a comment that is too long or not closed");
        } else if (const char* acProblem = storedLineProblem(sWord)) {
            return refuse(file, sWhich + " " + acProblem);
        } else {
            sEntry.assign(sWord);
        }
    }
    file.amVariables.resize(gc_iVARIABLE_COUNT);
    for (Matrix& mValue : file.amVariables) {
        const eBLOCK eBlock = readBlock(words, mValue, true);
        if (eBlock == eB_ENTRIES_SHORT) return eRR_READ_ERROR;
        if (eBlock != eB_OK) return refuseBlock(file, eBlock);
    }
    return eRR_OK;
}

/// Messages of the refusals, by result; the last one's %s is the reason.
const struct {
    eDIALOG eKind;
    const char* acFormat;   ///< nullptr: no message
} gc_aREAD_MESSAGES[] = {
    {eD_MESSAGE, nullptr},
    {eD_MESSAGE, "File could not be opened"},
    {eD_MESSAGE, "File is empty"},
    {eD_ALERT, "'%s' is not a valid ORBEX file."},
    {eD_MESSAGE, "File read error"},
    {eD_MESSAGE, "File read error: %s."},
};
static_assert(sizeof gc_aREAD_MESSAGES / sizeof gc_aREAD_MESSAGES[0] == eRR_REFUSED + 1, "one message per result");

}  // namespace

eREAD_RESULT parsePayload(std::string_view sText, ClDataFile& file) {
    file = ClDataFile();
    ClWords words(sText);
    std::string_view sWord;
    if (!words.next(sWord) || sWord.substr(0, gc_uiSIGNATURE_LENGTH) != gc_acORBEX_SIGNATURE) return eRR_NOT_ORBEX;
    for (const char c : sText)
        if (!isPayloadByte(c)) return eRR_NOT_ORBEX;
    if (!words.next(sWord)) return refuse(file, "the file ends after its first line");
    unsigned long long ullKind = 0;
    if (!parseCount(sWord, ullKind) || (ullKind != 0 && (ullKind < eT_A || ullKind > eT_w))) return eRR_NOT_ORBEX;
    file.uiKind = static_cast<unsigned>(ullKind);
    if (file.uiKind == 0) return parseHistory(words, file);
    file.amVariables.resize(1);
    const eBLOCK eBlock = readBlock(words, file.amVariables[0], false);
    return eBlock == eB_OK ? eRR_OK : refuseBlock(file, eBlock);
}

eREAD_RESULT decodeDataFile(std::string sBytes, ClDataFile& file) {
    file = ClDataFile();
    if (sBytes.empty()) return eRR_EMPTY;
    if (sBytes.size() > gc_uiMAX_FILE_BYTES) return eRR_NOT_ORBEX;
    DCodeFile(&sBytes[0], sBytes.size());
    return parsePayload(sBytes, file);
}

eREAD_RESULT readDataFile(const char* acPath, ClDataFile& file) {
    file = ClDataFile();
    const int iFile = ::open(acPath, O_RDONLY | O_CLOEXEC | O_NONBLOCK);   // a pipe must not block
    if (iFile < 0) return eRR_CANNOT_OPEN;
    struct stat status {};
    eREAD_RESULT eResult = eRR_OK;
    std::string sBytes;
    if (::fstat(iFile, &status) != 0 || !S_ISREG(status.st_mode)) {
        eResult = eRR_CANNOT_OPEN;
    } else if (static_cast<unsigned long long>(status.st_size) > gc_uiMAX_FILE_BYTES) {
        eResult = eRR_NOT_ORBEX;
    } else {
        sBytes.reserve(static_cast<std::size_t>(status.st_size));
        char acChunk[1 << 16];
        for (;;) {
            const ssize_t iCount = ::read(iFile, acChunk, sizeof acChunk);
            if (iCount < 0 && errno == EINTR) continue;
            if (iCount <= 0) {
                if (iCount < 0) eResult = eRR_CANNOT_OPEN;
                break;
            }
            sBytes.append(acChunk, static_cast<std::size_t>(iCount));
            if (sBytes.size() > gc_uiMAX_FILE_BYTES) {   // it grew while being read
                eResult = eRR_NOT_ORBEX;
                break;
            }
        }
    }
    ::close(iFile);
    return eResult == eRR_OK ? decodeDataFile(std::move(sBytes), file) : eResult;
}

std::string readResultMessage(eREAD_RESULT eResult, const ClDataFile& file, const char* acPath) {
    const char* acFormat = gc_aREAD_MESSAGES[eResult].acFormat;
    if (acFormat == nullptr) return std::string();
    return formatText(acFormat, eResult == eRR_REFUSED ? file.sReason : std::string(acPath));
}

void reportReadResult(eREAD_RESULT eResult, const ClDataFile& file, const char* acPath) {
    const std::string sMessage = readResultMessage(eResult, file, acPath);
    if (!sMessage.empty()) showDialog(gc_aREAD_MESSAGES[eResult].eKind, sMessage.c_str());
}

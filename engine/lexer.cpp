// SPDX-License-Identifier: GPL-3.0-or-later
// The token lexer: the current line of codes becomes the token stream the parser reads.
#include <cstring>
#include <locale>
#include <sstream>

#include "engine_state.h"

namespace {

constexpr double gc_dPI = 3.141592653589793;
constexpr unsigned short gc_uiSTREAM_MAX = gc_iSTREAM_SIZE - 1;   ///< room for the null token
constexpr unsigned short gc_uiLINE_MAX = gc_iLINE_SIZE - 1;       ///< room for the final 0

bool isBinaryOperator(eTOKEN eToken) {
    switch (eToken) {
        case eT_PLUS: case eT_LDIV: case eT_ELDIV: case eT_RDIV: case eT_ERDIV:
        case eT_TIMES: case eT_ETIMES: case eT_SOLVE: case eT_POWER: case eT_TENSOR:
            return true;
        default:
            return false;
    }
}

/// A point before "\", "/" or "*" makes an element-wise operator; eT_NULL otherwise.
eTOKEN elementWiseOf(eTOKEN eNext) {
    switch (eNext) {
        case eT_LDIV: return eT_ELDIV;
        case eT_RDIV: return eT_ERDIV;
        case eT_TIMES: return eT_ETIMES;
        default: return eT_NULL;
    }
}

/// Shortens the line to uiLength codes; a cut never lengthens it.
void cutLine(ClState& line, unsigned short uiLength) {
    if (uiLength >= line.mp_uiLength) return;
    std::memset(line.mp_acInput + uiLength, 0, gc_iLINE_SIZE - uiLength);
    line.mp_uiLength = uiLength;
}

/// One run of the lexer over a line. Every append is bounded by the stream's capacity.
class ClLexerRun {
public:
    explicit ClLexerRun(ClState& line) : mp_Line(line) {}
    bool run();

private:
    ClState& mp_Line;
    std::string mp_acNumber;            ///< pending number text
    unsigned short mp_uiBrackets = 0;   ///< open "["
    unsigned short mp_uiParens = 0;     ///< open "("

    bool append(eTOKEN eToken, Matrix* pmMatrix = nullptr, double dValue = 0.0);
    bool handleToken(eTOKEN eToken, unsigned short uiPosition);
    bool closeAll();
};

// A full stream is refused as a key input error rather than written past.
bool ClLexerRun::append(eTOKEN eToken, Matrix* pmMatrix, double dValue) {
    if (lg_uiToken_Stream_Length >= gc_uiSTREAM_MAX) {
        g_uiError_Number = eE_KEY_INPUT;
        return false;
    }
    lg_aToken_Stream[lg_uiToken_Stream_Length++] = ClToken(eToken, pmMatrix, dValue);
    return true;
}

// Returns false when lexing must stop; the error number is then set.
bool ClLexerRun::handleToken(eTOKEN eToken, unsigned short uiPosition) {
    const unsigned short n = lg_uiToken_Stream_Length;
    switch (eToken) {
        case eT_NULL:
            return true;
        case eT_I:
            if (n > 0 && lg_aToken_Stream[n - 1].mp_eToken == eT_REAL_NUMBER && !append(eT_TIMES))
                return false;
            return append(eT_IMAG_NUMBER, nullptr, 1.0);
        case eT_ASSIGN: case eT_SEMICOLON: case eT_COLON: case eT_COMMA: case eT_MINUS:
            return append(eToken);
        case eT_LPAREN:
            ++mp_uiParens;
            return append(eToken);
        case eT_RBRACKET: case eT_RPAREN: {
            if (!ClCalculator::closeCheck(n)) return false;
            unsigned short& uiOpen = eToken == eT_RBRACKET ? mp_uiBrackets : mp_uiParens;
            if (uiOpen == 0) {
                g_uiError_Number = eE_MISSING_PARENTHESES;
                return false;
            }
            --uiOpen;
            return append(eToken);
        }
        default:
            break;
    }
    if (eToken == eT_PI || eToken == eT_ANS || isVariableToken(eToken) || eToken == eT_LBRACKET) {
        if (!ClCalculator::valueCheck(n)) {
            if (isVariableToken(eToken)) cutLine(mp_Line, uiPosition + 1);
            return false;
        }
        if (eToken == eT_PI) return append(eT_REAL_NUMBER, nullptr, gc_dPI);
        if (eToken == eT_ANS) return append(eToken, &ClCalculator::mp_mLast_Output);
        if (eToken == eT_LBRACKET) {
            ++mp_uiBrackets;
            return append(eToken);
        }
        return append(eToken, &ClCalculator::mp_mVariable[eToken]);
    }
    if (takesParenthesis(eToken)) return ClCalculator::unaryCheck(n) && append(eToken);
    if (isBinaryOperator(eToken)) return ClCalculator::binaryCheck(n) && append(eToken);
    g_uiError_Number = eE_KEY_INPUT;   // a token that may not occur in a line
    return false;
}

// All brackets are closed before any parenthesis, whatever the nesting. A line or stream
// without room for its closers is refused.
bool ClLexerRun::closeAll() {
    const unsigned uiClosers = mp_uiBrackets + mp_uiParens;
    if (mp_Line.mp_uiLength + uiClosers > gc_uiLINE_MAX ||
        lg_uiToken_Stream_Length + uiClosers > gc_uiSTREAM_MAX) {
        g_uiError_Number = eE_MISSING_RIGHT_PARENTHESIS;
        return false;
    }
    for (; mp_uiBrackets > 0; --mp_uiBrackets) {
        append(eT_RBRACKET);
        mp_Line.mp_acInput[mp_Line.mp_uiLength++] = static_cast<unsigned char>(g_eiDictionary[eT_RBRACKET]);
    }
    for (; mp_uiParens > 0; --mp_uiParens) {
        append(eT_RPAREN);
        mp_Line.mp_acInput[mp_Line.mp_uiLength++] = static_cast<unsigned char>(g_eiDictionary[eT_RPAREN]);
    }
    return true;
}

bool ClLexerRun::run() {
    bool bOk = true;
    if (mp_Line.mp_uiLength > gc_uiLINE_MAX) {   // only a corrupt record can be this long
        g_uiError_Number = eE_KEY_INPUT;
        bOk = false;
    }
    unsigned short uiPosition = 0;
    while (bOk && uiPosition < mp_Line.mp_uiLength) {
        eTOKEN eToken = tokenOfCode(mp_Line.mp_acInput[uiPosition]);
        const eTOKEN eNext = tokenOfCode(mp_Line.mp_acInput[uiPosition + 1]);
        unsigned short uiConsumed = 1;
        if (isNumberToken(eToken)) {
            if (eToken == eT_POINT && elementWiseOf(eNext) != eT_NULL) {
                eToken = elementWiseOf(eNext);
                uiConsumed = 2;
            } else {
                mp_acNumber += eToken == eT_EXPONENT ? 'e' : static_cast<char>(g_eiDictionary[eToken]);
                if (eToken == eT_EXPONENT && (eNext == eT_MINUS || eNext == eT_PLUS)) {
                    mp_acNumber += eNext == eT_MINUS ? '-' : '+';
                    ++uiPosition;
                }
                ++uiPosition;
                continue;
            }
        }
        bool bNumber_Failed = false;
        if (!mp_acNumber.empty()) {
            double dValue = 0.0;
            const bool bConverted = ClCalculator::charToDouble(mp_acNumber.c_str(), dValue);
            mp_acNumber.clear();
            if (!bConverted) {
                // The rest of the line is dropped, but the current code is still handled and
                // its own check may replace the error number.
                g_uiError_Number = eE_NUMBER_INPUT;
                cutLine(mp_Line, uiPosition);
                bNumber_Failed = true;
            } else if (!ClCalculator::valueCheck(lg_uiToken_Stream_Length) ||
                       !append(eT_REAL_NUMBER, nullptr, dValue)) {
                bOk = false;
                break;
            }
        }
        bOk = handleToken(eToken, uiPosition) && !bNumber_Failed;
        uiPosition += uiConsumed;
    }
    if (bOk && !mp_acNumber.empty()) {   // a number that ends the line is not checked
        double dValue = 0.0;
        if (ClCalculator::charToDouble(mp_acNumber.c_str(), dValue))
            bOk = append(eT_REAL_NUMBER, nullptr, dValue);
        else
            g_uiError_Number = eE_NUMBER_INPUT;
    }
    if (bOk && !closeAll()) bOk = false;
    return bOk && g_uiError_Number == eE_NONE;
}

}  // namespace

bool ClCalculator::charToDouble(const char* text, double& value) {
    if (text == nullptr) return false;
    std::istringstream stream(text);
    stream.imbue(std::locale::classic());
    double dValue = 0.0;
    stream >> dValue;
    if (stream.fail() || stream.bad()) return false;
    value = dValue;
    return true;
}

bool ClCalculator::tLexer() {
    g_uiError_Number = eE_NONE;
    lg_uiToken_Stream_Length = 0;
    const bool bOk = ClLexerRun(g_Current_State).run();
    g_Current_State.mp_uiCursor = g_Current_State.mp_uiLength;
    lg_aToken_Stream[lg_uiToken_Stream_Length] = mp_NULL_TOKEN;
    return bOk;
}

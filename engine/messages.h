// The error numbers, their messages and the current error of a line.
#pragma once

constexpr int gc_iERROR_COUNT = 32;
extern const char* const gc_aacERROR_MESSAGE[gc_iERROR_COUNT];   ///< indexed by error number
extern unsigned short g_uiError_Number;                          ///< 0 = no error

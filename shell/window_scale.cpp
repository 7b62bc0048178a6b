// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up factor of the window's face: the override, the screen's resolution, the work area.
#include "window_scale.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr double gc_dBASE_DPI = 96;   ///< the resolution the face was drawn for: factor 1
constexpr double gc_dMAX_SCALE = 4;

}  // namespace

double fitScale(double dFactor, int iWork_W, int iWork_H, int iBase_W, int iBase_H) {
    const double dRoom = std::min(static_cast<double>(iWork_W) / iBase_W, static_cast<double>(iWork_H) / iBase_H);
    return std::max(1.0, std::min(dFactor, std::floor(4 * dRoom) / 4));
}

double startScale(const ClScreen& screen, const char* acOverride, int iBase_W, int iBase_H) {
    if (acOverride) {
        char* pcEnd = nullptr;
        const double dAsked = std::strtod(acOverride, &pcEnd);
        if (pcEnd != acOverride && *pcEnd == '\0' && dAsked >= 1 && dAsked <= gc_dMAX_SCALE) return dAsked;
    }
    double dDpi = screen.dXft_Dpi;
    if (dDpi <= 0 && screen.iWidth_Mm > 0) dDpi = 25.4 * screen.iWidth_Px / screen.iWidth_Mm;
    if (!(dDpi >= gc_dBASE_DPI / 2 && dDpi <= gc_dBASE_DPI * 5)) dDpi = gc_dBASE_DPI;   // unknown, or no real screen's
    const double dQuarters = std::round(4 * dDpi / gc_dBASE_DPI) / 4;
    return fitScale(std::clamp(dQuarters, 1.0, gc_dMAX_SCALE), screen.iWork_W, screen.iWork_H, iBase_W, iBase_H);
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The factor the window's face starts at, from what the X server tells of the screen. Needs no
// display: the window reads the screen and passes it in.
#pragma once

/// The screen as the X server describes it.
struct ClScreen {
    double dXft_Dpi;            ///< the Xft.dpi resource; 0 when unset
    int iWidth_Px, iWidth_Mm;   ///< the screen's width in pixels and in millimetres (0: unknown)
    int iWork_W, iWork_H;       ///< the work area: the screen less the desktop's panels
};

/// The factor a face of iBase_W x iBase_H starts at. An ORBEX_SCALE value from 1 to 4 (acOverride,
/// may be null) is taken as it is. Otherwise the screen's dots per inch (Xft.dpi, else the
/// physical width) over 96, rounded to quarters, from 1 to 4, as far as the face then fits the
/// work area (fitScale).
double startScale(const ClScreen& screen, const char* acOverride, int iBase_W, int iBase_H);
/// dFactor, lowered to the largest quarter at which a face of iBase_W x iBase_H fits the work
/// area when it does not; never below 1.
double fitScale(double dFactor, int iWork_W, int iWork_H, int iBase_W, int iBase_H);

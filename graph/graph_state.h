// SPDX-License-Identifier: GPL-3.0-or-later
// The graph parameters, the plot list and the graph image, and opening and closing the graph
// window as the calculator sees it (the widgets are the window's business).
#pragma once

#include <string>
#include <vector>

constexpr int gc_iPLOT_COUNT = 6;
constexpr int gc_iIMAGE_W = 600, gc_iIMAGE_H = 400;
constexpr int gc_iIMAGE_BYTES = gc_iIMAGE_W * gc_iIMAGE_H * 3;

/// xmin, xmax, vertical grid lines, ymin, ymax, horizontal grid lines.
extern double g_adPlot_Parms[6];
extern const double gc_adGRAPH_DEFAULT[6];
/// The exported picture: RGB triples, rows from the top.
extern unsigned char g_aucLarge_Graph_Image[gc_iIMAGE_BYTES];

/// Every plot slot empty, no active plot.
void emptyPlots();
/// Restores the defaults and empties the plots.
void resetGraph();

/// Opens the graph window: the plots are emptied and the parameters come from the current
/// line, which is entered as Enter does (the defaults for an empty line). A result that is no
/// usable parameter vector writes the eE_GRAPH_PARAMETERS message and leaves the defaults.
void openGraph();
/// Closes it: the plots are emptied, the parameters stay.
void closeGraph();

/// The grid lines across the horizontal axis (bHorizontal) or the vertical one: the parameter's
/// count, but never more than the iPixels the box has along that axis.
double gridLines(bool bHorizontal, int iPixels);
/// The scale labels under those grid lines, left to right (bHorizontal) or top to bottom: each
/// step from the limit is cleaned against the magnitude of the range, so rounding residue
/// prints as 0.
std::vector<std::string> scaleLabels(bool bHorizontal, int iPixels);

enum eIMAGE_FORMAT { eIF_NONE, eIF_PPM, eIF_BMP };
/// The first ".ppm" or ".bmp" of the name must end it; case counts.
eIMAGE_FORMAT imageFormatOf(const char* acName);
/// The whole file, header and pixels, of the picture in g_aucLarge_Graph_Image.
std::string encodeImage(eIMAGE_FORMAT eFormat);

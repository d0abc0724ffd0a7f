#pragma once

#include "drawing/DrawingSheet.h"
#include "drawing/SetOutSheet.h"

#include <optional>

namespace inlet {

struct DxfOptions {
    // How an elliptical arc is written.
    enum class Curves {
        Spline,    // a cubic SPLINE within 0.005 mm of it, which every CAD program tried draws as it is
        Ellipse,   // an exact ELLIPSE, for CAD programs that read its start and end (AutoCAD, LibreCAD)
        Polyline,  // a polyline within 0.01 mm of it, for CAD programs that read neither
    };
    Curves curves = Curves::Spline;
    // The sheet the drawing is printed on: its frame and title block are drawn around the views
    // at the print scale (a 1:25 sheet's frame 25 times its paper size). None: the views alone.
    std::optional<DrawingSheet> sheet;
    // The sheets of the setting-out tables, placed right of the drawing sheet one after the
    // other at its print scale, everything on them on the layer SETOUT. Only with `sheet`.
    std::vector<SetOutPage> setOut;
};

}  // namespace inlet

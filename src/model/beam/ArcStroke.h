#pragma once

namespace trevan {

class Canvas;

// Strokes the arc of radius r about (cx, cy) from angle `from` to `to`
// (radians, counter-clockwise as seen on the screen, 0 pointing right) as
// one polyline: like LineTo it leaves its end point unpainted, so a closed
// arc inverted twice restores every pixel. Nothing for r < 1.
void StrokeArc(Canvas& canvas, int cx, int cy, double r, double from, double to);

}  // namespace trevan

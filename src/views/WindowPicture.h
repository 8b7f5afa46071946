#pragma once

#include <QSize>

class QPainter;

namespace trevan {

class TMDIChild;

// The size a w × h picture takes when it is fitted into W × H, keeping its
// proportions and filling the width or the height, whichever comes first.
QSize FitPicture(int w, int h, int W, int H);

// Draws the document window as it shows itself, with white backgrounds
// and without its scroll bar, fitted into W × H at the top-left corner.
void RenderWindowImage(TMDIChild& window, QPainter& painter, int W, int H);

}  // namespace trevan

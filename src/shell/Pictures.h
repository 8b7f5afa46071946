#pragma once

#include <QPixmap>

namespace trevan {

// The pictures of the dialogs, drawn by the program itself.
QPixmap NewProjectPicture();  // 70 x 90: a beam on two supports under a load
QPixmap ProductPicture();     // 174 x 189: the product's emblem

}  // namespace trevan

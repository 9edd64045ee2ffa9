#pragma once

#include <QPixmap>

namespace yarrow {

// The window's pictures, painted rather than shipped: the yarrow head and the name badge.
QPixmap YarrowPicture(int size);
QPixmap BadgePicture(int width, int height);

} // namespace yarrow

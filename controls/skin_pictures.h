// The skin pictures the controls paint from, cut into their cells. The pictures are
// compiled-in resources of brightlock_assets; each is loaded once and kept in the pixmap cache.
#pragma once

#include <QPixmap>

namespace brightlock::skin {

// The 90 x 21 command-button strip.
QPixmap buttonStrip();

// The area of the strip that holds `cell`.
QRect buttonCellRect(int cell);

// A 16 x 16 cell of the check-box glyph strip; a null pixmap for a cell out of range.
QPixmap checkBoxGlyph(int cell);

// One of the eight radio glyph images; a null pixmap for an index out of range.
QPixmap radioGlyphPicture(int index);

// A skin picture by its resource path (resource_paths.h).
QPixmap picture(const char* resource);

} // namespace brightlock::skin

// Loading and cutting of the skin pictures.
#include "skin_pictures.h"

#include "log_categories.h"
#include "resource_paths.h"
#include "skin_rules.h"

#include <QPixmapCache>
#include <iterator>

namespace brightlock::skin {

QPixmap picture(const char* resource) {
    const QString path = QString::fromLatin1(resource);
    QPixmap pixmap;
    if (QPixmapCache::find(path, &pixmap))
        return pixmap;
    if (!pixmap.load(path)) {
        qCWarning(lcSkin) << "skin picture missing:" << path;
        return pixmap;
    }
    QPixmapCache::insert(path, pixmap);
    return pixmap;
}

QPixmap buttonStrip() {
    return picture(res::kSkinButton);
}

QRect buttonCellRect(int cell) {
    return QRect(QPoint(cell * kButtonCellSize.width(), 0), kButtonCellSize);
}

QPixmap checkBoxGlyph(int cell) {
    if (cell < 0 || cell >= kCheckCellCount)
        return {};
    return picture(res::kSkinCheckBox).copy(QRect(QPoint(0, cell * kGlyphSize.height()), kGlyphSize));
}

static_assert(std::size(res::kSkinRadio) == kRadioGlyphCount);

QPixmap radioGlyphPicture(int index) {
    if (index < 0 || index >= kRadioGlyphCount)
        return {};
    return picture(res::kSkinRadio[index]);
}

} // namespace brightlock::skin

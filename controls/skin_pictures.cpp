// Loading and cutting of the skin pictures.
#include "skin_pictures.h"

#include "skin_log.h"
#include "skin_rules.h"

#include <QPixmapCache>

namespace brightlock::skin {

QPixmap picture(const QString& name) {
    const QString path = ":/skin/" + name;
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
    return picture("button.png");
}

QRect buttonCellRect(int cell) {
    return QRect(QPoint(cell * kButtonCellSize.width(), 0), kButtonCellSize);
}

QPixmap checkBoxGlyph(int cell) {
    if (cell < 0 || cell >= kCheckCellCount)
        return {};
    return picture("checkbox.png").copy(QRect(QPoint(0, cell * kGlyphSize.height()), kGlyphSize));
}

QPixmap radioGlyphPicture(int index) {
    if (index < 0 || index >= kRadioGlyphCount)
        return {};
    return picture(QString("radio%1.png").arg(index));
}

} // namespace brightlock::skin

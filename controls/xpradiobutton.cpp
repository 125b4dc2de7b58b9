// The skinned option button: its glyphs and the clearing of its container on a click.
#include "xpradiobutton.h"

#include "skin_pictures.h"
#include "skin_rules.h"

using namespace brightlock;

xpradiobutton::xpradiobutton(QWidget* parent) : xpradiobutton(QString(), parent) {}

xpradiobutton::xpradiobutton(const QString& caption, QWidget* parent) : GlyphControl(parent) {
    setCaption(caption);
    drawNormal();
}

void xpradiobutton::setValue(bool value) {
    m_value = value;
    drawNormal();
}

void xpradiobutton::clickControl() {
    emit Click();
    // The container's own option buttons only: buttons inside a nested frame are another container.
    if (QWidget* container = parentWidget()) {
        for (xpradiobutton* sibling : container->findChildren<xpradiobutton*>(Qt::FindDirectChildrenOnly))
            sibling->setValue(false);
    } else {
        setValue(false);
    }
    setValue(true);
    drawNormal();
}

std::optional<int> xpradiobutton::glyphFor(int look) const {
    return skin::radioGlyph(m_value, skin::GlyphLook(look));
}

QPixmap xpradiobutton::glyphPicture(int index) const {
    return skin::radioGlyphPicture(index);
}

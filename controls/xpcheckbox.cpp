// The skinned check box: its value rules and glyph cells.
#include "xpcheckbox.h"

#include "skin_pictures.h"
#include "skin_rules.h"

using namespace brightlock;

xpcheckbox::xpcheckbox(QWidget* parent) : xpcheckbox(QString(), parent) {}

xpcheckbox::xpcheckbox(const QString& caption, QWidget* parent) : GlyphControl(parent) {
    setCaption(caption);
    drawNormal();
}

void xpcheckbox::setValue(qint32 value) {
    m_value = value;
    drawNormal();
}

void xpcheckbox::clickControl() {
    emit Click();
    setValue(skin::nextCheckValue(m_value));
    drawNormal();
}

std::optional<int> xpcheckbox::glyphFor(int look) const {
    return skin::checkBoxCell(m_value, skin::GlyphLook(look));
}

QPixmap xpcheckbox::glyphPicture(int index) const {
    return skin::checkBoxGlyph(index);
}

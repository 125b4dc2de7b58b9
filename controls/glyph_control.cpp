// Glyph, colours and layout of the skinned check box and radio button.
#include "glyph_control.h"

#include "ole_color.h"
#include "palette.h"

#include <QLabel>
#include <QPainter>

namespace brightlock {

using skin::GlyphLook;

GlyphControl::GlyphControl(const QString& caption, const GlyphSet& glyphs, QWidget* parent)
    : SkinnedControl(LookTiming::BeforeEvent, parent), glyphs_(glyphs), p_(new QLabel(this)),
      backColor_(kSystemButtonFace) {
    p_->setObjectName("p");
    p_->setAlignment(Qt::AlignCenter);
    p_->setAttribute(Qt::WA_TransparentForMouseEvents);
    resize(120, 17);
    setCaption(caption);
    // Running from the start: the first tick with the pointer elsewhere settles the look.
    startHoverWatch();
    showRestingLook();
}

void GlyphControl::setBackColor(quint32 colour) {
    backColor_ = colour;
    update();
}

void GlyphControl::setForeColor(quint32 colour) {
    foreColor_ = colour;
    setCaptionColour(fromOleColor(colour));
}

QSize GlyphControl::sizeHint() const {
    const QSize text = captionLabel()->sizeHint();
    return {skin::kCaptionLeft + text.width() + 2, qMax(17, text.height() + 2)};
}

void GlyphControl::clickControl() {
    emit Click();
    // Ends in setGlyphValue, which redraws the resting look.
    changeValueOnClick();
}

void GlyphControl::drawLook(GlyphLook look) {
    const std::optional<int> index = glyphs_.glyphFor(value_, look);
    if (!index)
        return;
    glyph_ = *index;
    p_->setPixmap(glyphs_.picture(*index));
}

void GlyphControl::showRestingLook() {
    drawLook(isEnabled() ? GlyphLook::Normal : GlyphLook::Disabled);
}

void GlyphControl::showPressedLook() {
    drawLook(GlyphLook::Pressed);
}

void GlyphControl::showMoveLook(int button) {
    if (isEnabled())
        drawLook(button == 1 ? GlyphLook::Pressed : GlyphLook::Hover);
}

void GlyphControl::placeCaption() {
    QLabel* lbl = captionLabel();
    lbl->adjustSize();
    const skin::GlyphLayout layout = skin::glyphLayout(size(), lbl->size());
    p_->setGeometry(layout.glyph);
    lbl->move(layout.caption);
}

void GlyphControl::accessKeyClick() {
    setFocus(Qt::ShortcutFocusReason);
    clickControl();
}

void GlyphControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), fromOleColor(backColor_));
    if (showsFocusCue()) {
        painter.setPen(QPen(palette::kInk, 1, Qt::DotLine));
        painter.drawRect(captionLabel()->geometry().adjusted(-2, -1, 1, 0));
    }
}

} // namespace brightlock

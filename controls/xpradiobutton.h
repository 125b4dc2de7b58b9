// xpradiobutton: the skinned option button. A click clears every option button of the same
// container, whatever group it belongs to, and then sets this one; a value set from code
// changes this button alone.
#pragma once

#include "glyph_control.h"

class xpradiobutton : public brightlock::GlyphControl {
    Q_OBJECT
    Q_PROPERTY(bool Value READ Value WRITE setValue)

public:
    explicit xpradiobutton(QWidget* parent = nullptr);
    xpradiobutton(const QString& caption, QWidget* parent = nullptr);

    bool Value() const { return m_value; }
    void setValue(bool value);

    void clickControl() override;

protected:
    std::optional<int> glyphFor(int look) const override;
    QPixmap glyphPicture(int index) const override;

private:
    bool m_value = false;
};

// xpcheckbox: the skinned check box, with the values 0 (unchecked), 1 (checked) and
// 2 (grayed). Its Click is raised before the value changes.
#pragma once

#include "glyph_control.h"

class xpcheckbox : public brightlock::GlyphControl {
    Q_OBJECT
    Q_PROPERTY(qint32 Value READ Value WRITE setValue)

public:
    explicit xpcheckbox(QWidget* parent = nullptr);
    xpcheckbox(const QString& caption, QWidget* parent = nullptr);

    qint32 Value() const { return m_value; }
    void setValue(qint32 value);

    void clickControl() override;

protected:
    std::optional<int> glyphFor(int look) const override;
    QPixmap glyphPicture(int index) const override;

private:
    qint32 m_value = 0;
};

// xpcheckbox: the skinned check box, with the values 0 (unchecked), 1 (checked) and
// 2 (grayed). Its Click is raised before the value changes.
#pragma once

#include "glyph_control.h"

namespace brightlock {

extern const GlyphSet kCheckBoxGlyphs;

class xpcheckbox : public GlyphControlOf<kCheckBoxGlyphs> {
    Q_OBJECT
    Q_PROPERTY(qint32 Value READ Value WRITE setValue)

public:
    using GlyphControlOf::GlyphControlOf;

    qint32 Value() const { return glyphValue(); }
    void setValue(qint32 value) { setGlyphValue(value); }

protected:
    void changeValueOnClick() override;
};

} // namespace brightlock

// xpradiobutton: the skinned option button. A click clears every option button of the same
// container, whatever group it belongs to, and then sets this one; a value set from code
// changes this button alone.
#pragma once

#include "glyph_control.h"

namespace brightlock {

extern const GlyphSet kRadioGlyphs;

class xpradiobutton : public GlyphControlOf<kRadioGlyphs> {
    Q_OBJECT
    Q_PROPERTY(bool Value READ Value WRITE setValue)

public:
    using GlyphControlOf::GlyphControlOf;

    bool Value() const { return glyphValue() != 0; }
    void setValue(bool value) { setGlyphValue(value ? 1 : 0); }

protected:
    void changeValueOnClick() override;
};

} // namespace brightlock

// The skinned check box: its glyph cells and the value a click leaves.
#include "xpcheckbox.h"

#include "skin_pictures.h"

namespace brightlock {

const GlyphSet kCheckBoxGlyphs{&skin::checkBoxCell, &skin::checkBoxGlyph};

void xpcheckbox::changeValueOnClick() {
    setValue(skin::nextCheckValue(Value()));
}

} // namespace brightlock

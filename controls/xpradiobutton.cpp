// The skinned option button: its glyphs and the clearing of its container on a click.
#include "xpradiobutton.h"

#include "skin_pictures.h"

namespace brightlock {

const GlyphSet kRadioGlyphs{[](qint32 value, skin::GlyphLook look) -> std::optional<int> {
                                return skin::radioGlyph(value != 0, look);
                            },
                            &skin::radioGlyphPicture};

void xpradiobutton::changeValueOnClick() {
    // The container's own option buttons only: buttons inside a nested frame are another container.
    if (QWidget* container = parentWidget()) {
        for (xpradiobutton* sibling : container->findChildren<xpradiobutton*>(Qt::FindDirectChildrenOnly))
            sibling->setValue(false);
    } else {
        setValue(false);
    }
    setValue(true);
}

} // namespace brightlock

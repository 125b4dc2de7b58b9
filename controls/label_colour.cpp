#include "label_colour.h"

#include <QLabel>

namespace brightlock {

void setTextColour(QLabel* label, const QColor& colour) {
    QPalette pal = label->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        pal.setColor(group, QPalette::WindowText, colour);
    label->setPalette(pal);
}

} // namespace brightlock

// What the settings panels are built from: the skin of a panel, check boxes, the "Apply"
// and "Help" buttons, group frames, and number
// boxes with their "<" and ">" buttons, placed in a row after their label: label, "<",
// box, ">" and, when given, a unit label ("Minutes").
#pragma once

#include "xpcheckbox.h"
#include "xpcmdbutton.h"

#include <QFrame>
#include <QLineEdit>
#include <QString>

namespace brightlock {

// A panel frame: its labels turn the skin's disabled grey with the controls around them.
void skinPanel(QFrame* panel);

// A skinned check box with its object name and caption.
xpcheckbox* addCheckBox(QWidget* parent, const char* name, const QString& caption, const QRect& at);

// The "Apply" and "Help" buttons at the bottom right of a panel.
struct PanelButtons {
    xpcmdbutton* apply;
    xpcmdbutton* help;
};
PanelButtons addApplyAndHelp(QWidget* panel, const char* applyName, const char* helpName);

// An etched group frame. A plain frame, not a group box: the style's shaded group box
// would show the skinned controls' face as lighter boxes.
QFrame* addGroupFrame(QWidget* parent, const QRect& at);

struct NumberBoxNames {
    const char* box;
    const char* down; // "<"
    const char* up;   // ">"
};

struct NumberBox {
    QLineEdit* box = nullptr;
    xpcmdbutton* down = nullptr;
    xpcmdbutton* up = nullptr;
};

// The row's left edge is `left`, its top `top`; the buttons start at `buttonsLeft`.
NumberBox addNumberBox(QWidget* parent, const NumberBoxNames& names, const QString& label, int left, int top,
                       int buttonsLeft, const QString& unit = {});

// A widget's own enabled flag, whatever its container's (a control inside a disabled
// frame keeps its own flag for when the frame is enabled again).
inline bool ownEnabled(const QWidget* w) {
    return !w->testAttribute(Qt::WA_ForceDisabled);
}

} // namespace brightlock

// The parts of the settings panels; see panel_parts.h.
#include "panel_parts.h"

#include "palette.h"

#include <QLabel>

namespace brightlock {
namespace {

constexpr int kRowHeight = 24;
constexpr int kButtonWidth = 26;
constexpr int kBoxWidth = 70;
constexpr int kGap = 4;
// Panels are 592 x 272 px.
constexpr QRect kApplyRect(384, 226, 90, 27);
constexpr QRect kHelpRect(486, 226, 90, 27);

} // namespace

void skinPanel(QFrame* panel) {
    panel->setFrameShape(QFrame::StyledPanel);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Disabled, QPalette::WindowText, palette::kDisabledText);
    panel->setPalette(pal);
}

xpcheckbox* addCheckBox(QWidget* parent, const char* name, const QString& caption, const QRect& at) {
    auto* box = new xpcheckbox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(at);
    return box;
}

PanelButtons addApplyAndHelp(QWidget* panel, const char* applyName, const char* helpName) {
    PanelButtons b{new xpcmdbutton(QStringLiteral("Apply"), panel),
                   new xpcmdbutton(QStringLiteral("Help"), panel)};
    b.apply->setObjectName(QString::fromLatin1(applyName));
    b.apply->setGeometry(kApplyRect);
    b.help->setObjectName(QString::fromLatin1(helpName));
    b.help->setGeometry(kHelpRect);
    return b;
}

QFrame* addGroupFrame(QWidget* parent, const QRect& at) {
    auto* frame = new QFrame(parent);
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    frame->setGeometry(at);
    return frame;
}

NumberBox addNumberBox(QWidget* parent, const NumberBoxNames& names, const QString& label, int left, int top,
                       int buttonsLeft, const QString& unit) {
    auto* caption = new QLabel(label, parent);
    caption->setTextFormat(Qt::PlainText);
    caption->setGeometry(left, top, buttonsLeft - left - kGap, kRowHeight);

    NumberBox row;
    int x = buttonsLeft;
    row.down = new xpcmdbutton(QStringLiteral("<"), parent);
    row.down->setObjectName(QString::fromLatin1(names.down));
    row.down->setGeometry(x, top, kButtonWidth, kRowHeight);
    x += kButtonWidth + kGap;
    row.box = new QLineEdit(parent);
    row.box->setObjectName(QString::fromLatin1(names.box));
    row.box->setGeometry(x, top, kBoxWidth, kRowHeight);
    row.box->setAlignment(Qt::AlignRight);
    caption->setBuddy(row.box);
    x += kBoxWidth + kGap;
    row.up = new xpcmdbutton(QStringLiteral(">"), parent);
    row.up->setObjectName(QString::fromLatin1(names.up));
    row.up->setGeometry(x, top, kButtonWidth, kRowHeight);
    x += kButtonWidth + 2 * kGap;
    if (!unit.isEmpty()) {
        auto* unitLabel = new QLabel(unit, parent);
        unitLabel->setGeometry(x, top, 80, kRowHeight);
    }
    return row;
}

} // namespace brightlock

// A gallery of the skinned controls and a skinned 552 x 172 window, for looking at the
// skin on a real desktop (gallery_shots.sh takes the screenshots). Not part of the product.
// Usage: controls_gallery [--dark]   (--dark puts a dark backdrop and a dark Qt palette
// behind the windows, as on a dark desktop theme). It prints "name x y" for the centre of
// each control that the shot script points at.
#include "resource_paths.h"
#include "skin_label.h"
#include "skin_pictures.h"
#include "skinned_form.h"
#include "xpcheckbox.h"
#include "xpcmdbutton.h"
#include "xpradiobutton.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QShortcut>
#include <QStyleFactory>
#include <QTimer>
#include <cstdio>

using namespace brightlock;

namespace {

const QColor kFace(207, 207, 207);

// The alarm window's look: gradient face, message, progress bar and two buttons.
class AlarmLike : public SkinnedForm {
public:
    AlarmLike() {
        setTitle("Alarm Message");
        skinImage("imgTitleHelp")->show();
        auto* message = new QLabel("Please save all files , System will shutdown after five seconds", this);
        message->setGeometry(96, 40, 362, 16);
        QPalette pal = message->palette();
        pal.setColor(QPalette::WindowText, Qt::white);
        message->setPalette(pal);
        auto* shutdown = new xpcmdbutton("Shutdown", this);
        shutdown->setGeometry(376, 104, 73, 25);
        auto* cancel = new xpcmdbutton("Cancel", this);
        cancel->setGeometry(464, 104, 73, 25);
        resize(552, 172);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        QLinearGradient g(0, 0, width(), 0);
        g.setColorAt(0, QColor(131, 166, 244));
        g.setColorAt(1, QColor(33, 120, 224));
        p.fillRect(rect(), g);
        // The progress bar as the alarm window paints it: caps, stretched middle, chunks.
        const QPixmap skin = skin::picture(res::kSkinProgress);
        const QRect bar(120, 72, 415, 19);
        p.translate(bar.topLeft());
        const int w = bar.width();
        p.drawPixmap(QRect(0, 0, 4, 19), skin, QRect(0, 0, 4, 19));
        p.drawPixmap(QRect(4, 0, w - 9, 19), skin, QRect(4, 0, 10, 19));
        p.drawPixmap(QRect(w - 5, 0, 5, 19), skin, QRect(14, 0, 5, 19));
        for (int x = 4; x <= 154; x += 10)
            p.drawPixmap(QRect(x, 4, 8, 12), skin, QRect(23, 5, 8, 12));
    }
};

void report(const char* name, QWidget* w) {
    const QPoint c = w->mapToGlobal(w->rect().center());
    std::printf("%s %d %d\n", name, c.x(), c.y());
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const bool dark = app.arguments().contains("--dark");
    if (dark) {
        app.setStyle(QStyleFactory::create("Fusion"));
        QPalette pal;
        pal.setColor(QPalette::Window, QColor(40, 42, 48));
        pal.setColor(QPalette::WindowText, QColor(230, 230, 230));
        pal.setColor(QPalette::Button, QColor(55, 58, 64));
        pal.setColor(QPalette::ButtonText, QColor(230, 230, 230));
        app.setPalette(pal);
    }

    QWidget backdrop(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnBottomHint);
    backdrop.setAutoFillBackground(true);
    QPalette backPal = backdrop.palette();
    backPal.setColor(QPalette::Window, dark ? QColor(24, 26, 30) : QColor(238, 240, 244));
    backdrop.setPalette(backPal);
    backdrop.setGeometry(0, 0, 1024, 768);
    backdrop.show();

    // The controls on a window face of the skin's grey.
    QWidget sheet(nullptr, Qt::FramelessWindowHint);
    sheet.setAutoFillBackground(true);
    QPalette sheetPal = sheet.palette();
    sheetPal.setColor(QPalette::Window, kFace);
    sheet.setPalette(sheetPal);
    sheet.setGeometry(24, 24, 620, 300);

    const char* names[] = {"normal", "hover", "pressed", "disabled", "latched"};
    xpcmdbutton* buttons[5];
    for (int i = 0; i < 5; ++i) {
        buttons[i] =
            new xpcmdbutton(QString(names[i]).replace(0, 1, QString(names[i]).at(0).toUpper()), &sheet);
        buttons[i]->setGeometry(16 + i * 88, 16, 73, 25);
    }
    buttons[3]->setEnabled(false);
    buttons[4]->setState(1);
    auto* wide = new xpcmdbutton("&Apply (wide, tall)", &sheet);
    wide->setGeometry(16, 52, 160, 40);
    auto* narrow = new xpcmdbutton(&sheet);
    narrow->setGeometry(192, 52, 6, 25);
    auto* tab = new xpcmdbutton("Status", &sheet);
    tab->setGeometry(212, 52, 90, 21);
    tab->setState(1);
    auto* tab2 = new xpcmdbutton("Log", &sheet);
    tab2->setGeometry(304, 52, 90, 21);
    auto* focused = new xpcmdbutton("Focused", &sheet);
    focused->setGeometry(408, 52, 73, 25);

    const char* checkCaptions[] = {"Unchecked (0)", "Checked (1)", "Grayed (2)"};
    xpcheckbox* checks[6];
    for (int i = 0; i < 6; ++i) {
        checks[i] = new xpcheckbox(QString(i >= 3 ? "Disabled, " : "") + checkCaptions[i % 3], &sheet);
        checks[i]->setGeometry(16 + (i / 3) * 200, 112 + (i % 3) * 24, 190, 17);
        checks[i]->setValue(i % 3);
        checks[i]->setEnabled(i < 3);
    }
    QWidget group(&sheet);
    group.setGeometry(420, 104, 190, 110);
    xpradiobutton* radios[4];
    const char* radioCaptions[] = {"Off", "On", "Disabled, off", "Disabled, on"};
    for (int i = 0; i < 4; ++i) {
        radios[i] = new xpradiobutton(radioCaptions[i], &group);
        radios[i]->setGeometry(0, 8 + i * 24, 180, 17);
        radios[i]->setBackColor(0x8000000F);
        radios[i]->setValue(i % 2 == 1);
        radios[i]->setEnabled(i < 2);
    }
    auto* hoverCheck = new xpcheckbox("Hover me (1)", &sheet);
    hoverCheck->setGeometry(16, 200, 190, 17);
    hoverCheck->setValue(1);
    auto* pressCheck = new xpcheckbox("Press me (0)", &sheet);
    pressCheck->setGeometry(16, 224, 190, 17);
    auto* hoverRadio = new xpradiobutton("Hover me (on)", &sheet);
    hoverRadio->setGeometry(216, 200, 190, 17);
    hoverRadio->setValue(true);
    auto* coloured = new xpcheckbox("ForeColor and BackColor", &sheet);
    coloured->setGeometry(216, 224, 190, 17);
    coloured->setForeColor(0x800000);
    coloured->setBackColor(0xF0E8E0);
    coloured->setValue(1);
    sheet.show();
    // F2 gives the "Focused" button keyboard focus, as a Tab onto it would.
    auto* focusKey = new QShortcut(QKeySequence(Qt::Key_F2), &sheet);
    QObject::connect(focusKey, &QShortcut::activated, focused,
                     [focused] { focused->setFocus(Qt::TabFocusReason); });

    AlarmLike alarm;
    alarm.move(24, 360);
    alarm.show();

    SkinnedForm main;
    main.setTitle("Brightlock");
    main.useMainTitleBar();
    main.resize(330, 260);
    main.move(670, 24);
    auto* info = new QLabel("A skinned form with the main window's title bar.", &main);
    info->setWordWrap(true);
    info->setGeometry(20, 44, 290, 40);
    auto* opt = new xpcheckbox("Shutdown on battery", &main);
    opt->setGeometry(20, 96, 200, 17);
    opt->setValue(1);
    auto* ok = new xpcmdbutton("OK", &main);
    ok->setGeometry(232, 186, 73, 25);
    main.show();

    QTimer::singleShot(1500, &app, [&] {
        for (int i = 0; i < 5; ++i)
            report(names[i], buttons[i]);
        report("check_hover", hoverCheck);
        report("check_press", pressCheck);
        report("radio_hover", hoverRadio);
        report("alarm", &alarm);
        report("main", &main);
        report("main_title", main.lblTitle());
        for (const char* part :
             {"lblTitle", "imgTitleLeft", "imgTitleMain", "imgTitleRight", "imgTitleMinimize",
              "imgTitleClose", "imgWindowBottomLeft", "imgWindowBottom", "imgWindowBottomRight"}) {
            const QRect r = alarm.findChild<QWidget*>(part)->geometry();
            std::printf("layout %s %d %d %d %d\n", part, r.x(), r.y(), r.width(), r.height());
        }
        const QRect shape = alarm.mask().boundingRect();
        std::printf("layout mask %d %d %d %d corner-0-0 %d\n", shape.x(), shape.y(), shape.width(),
                    shape.height(), int(alarm.mask().contains(QPoint(0, 0))));
        std::fflush(stdout);
    });
    return app.exec();
}

// The skinned window base: its title, skin images and title-bar signals.
#include "skinned_form.h"

#include "canvas_rules.h"
#include "form_skin.h"
#include "label_colour.h"
#include "palette.h"
#include "resource_paths.h"
#include "skin_label.h"
#include "skin_parts.h"
#include "skin_pictures.h"
#include "window_placement.h"

#include <QPainter>
#include <QShowEvent>

namespace brightlock {

namespace {

// A one-pixel rim along the rounded window edge, above the skin pieces, so the window's
// outline stands out on light and dark desktops alike.
class FrameOutline : public QWidget {
public:
    explicit FrameOutline(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

    void fit(QSize size) {
        setGeometry(QRect(QPoint(0, 0), size));
        rim_ = rimOf(roundFormRegion(size), size);
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).drawImage(0, 0, rim_); }

private:
    // The pixels of the shape with a four-neighbour outside it.
    static QImage rimOf(const QRegion& shape, QSize size) {
        QImage inside(size, QImage::Format_Grayscale8);
        inside.fill(0);
        for (const QRect& r : shape)
            for (int y = r.top(); y <= r.bottom(); ++y)
                std::fill_n(inside.scanLine(y) + r.left(), r.width(), uchar(1));
        auto in = [&](int x, int y) {
            return x >= 0 && y >= 0 && x < size.width() && y < size.height() && inside.constScanLine(y)[x];
        };
        const QColor colour(palette::kBlueDeep.red(), palette::kBlueDeep.green(), palette::kBlueDeep.blue(),
                            210);
        QImage rim(size, QImage::Format_ARGB32_Premultiplied);
        rim.fill(Qt::transparent);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                if (in(x, y) && !(in(x - 1, y) && in(x + 1, y) && in(x, y - 1) && in(x, y + 1)))
                    rim.setPixelColor(x, y, colour);
        return rim;
    }

    QImage rim_;
};

} // namespace

SkinnedForm::SkinnedForm(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    using namespace skinparts;
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, palette::kFace);
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);

    // Stacking order: the title pieces under the title text and the buttons.
    SkinLabel* left = addImage(kTitleLeft, res::kSkinTitleLeft, false);
    SkinLabel* main = addImage(kTitleMain, res::kSkinTitleMain, true);
    SkinLabel* right = addImage(kTitleRight, res::kSkinTitleRight, false);
    addImage(kBottomLeft, res::kSkinBottomLeft, false);
    addImage(kBottom, res::kSkinBottom, true);
    addImage(kBottomRight, res::kSkinBottomRight, false);
    SkinLabel* minimize = addImage(kTitleMinimize, res::kSkinTitleMinimize, false);
    SkinLabel* close = addImage(kTitleClose, res::kSkinTitleClose, false);
    SkinLabel* help = addImage(kTitleHelp, res::kSkinTitleHelp, false);

    title_ = new SkinLabel(this);
    title_->setObjectName(kTitle);
    title_->setTextFormat(Qt::PlainText);
    QFont titleFont = title_->font();
    titleFont.setBold(true);
    title_->setFont(titleFont);
    setTextColour(title_, Qt::white);

    // The help image keeps its design place, left of minimize on a 552 px window; each
    // window moves it where it wants it, and only windows that use it show it.
    help->move(552 - 56, 8);
    help->hide();

    connect(close, &SkinLabel::Click, this, &SkinnedForm::TitleCloseClick);
    connect(minimize, &SkinLabel::Click, this, &SkinnedForm::TitleMinimizeClick);
    connect(help, &SkinLabel::Click, this, &SkinnedForm::TitleHelpClick);
    for (SkinLabel* piece : {title_, left, main, right})
        connect(piece, &SkinLabel::MouseDown, this,
                [this](int button, int, float, float) { emit TitleMouseDown(button); });

    outline_ = new FrameOutline(this);
    resize(552, 172);
}

SkinnedForm::~SkinnedForm() = default;

SkinLabel* SkinnedForm::addImage(const char* name, const char* picture, bool stretched) {
    auto* image = new SkinLabel(this);
    image->setObjectName(name);
    image->setPixmap(skin::picture(picture));
    image->setScaledContents(stretched);
    image->resize(image->pixmap().size());
    return image;
}

void SkinnedForm::setTitle(const QString& title) {
    title_->setText(title);
    title_->adjustSize();
    setWindowTitle(title);
}

QString SkinnedForm::title() const {
    return title_->text();
}

SkinLabel* SkinnedForm::skinImage(const QString& name) const {
    return findChild<SkinLabel*>(name, Qt::FindDirectChildrenOnly);
}

void SkinnedForm::useMainTitleBar() {
    connect(this, &SkinnedForm::TitleCloseClick, this, [this] { close(); });
    connect(this, &SkinnedForm::TitleMinimizeClick, this, [this] { minimizeFromTitle(); });
    // Only a left-button press drags, as on the skinned frame: Qt asks the window manager
    // for a move that ends when the left button is released, so a move begun with another
    // button left the window glued to the pointer.
    connect(this, &SkinnedForm::TitleMouseDown, this, [this](int button) {
        if (canvas::titlePressDrags(button, canvas::windowStateOf(windowState())))
            DragForm(this);
    });
}

void SkinnedForm::resizeEvent(QResizeEvent* event) {
    LayoutFormSkin(this);
    static_cast<FrameOutline*>(outline_)->fit(size());
    outline_->raise();
    QWidget::resizeEvent(event);
}

void SkinnedForm::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        fitInto(availableAreaFor(this).size());
        placeInsideScreen(this);
    }
    // Controls that a derived window added after construction sit above the rim otherwise.
    outline_->raise();
    QWidget::showEvent(event);
}

} // namespace brightlock

// Layout, shape, stacking and move of the skinned windows.
#include "form_skin.h"

#include "log_categories.h"
#include "ole_color.h"
#include "skin_parts.h"

#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QWidget>
#include <QWindow>
#include <cmath>

namespace brightlock {

FormSkinLayout formSkinLayout(QSize outer) {
    using namespace skinparts;
    const int w = outer.width(), h = outer.height();
    FormSkinLayout l;
    l.title = {16, 7};
    l.titleLeft = {QPoint(0, 0), kTitlePiece};
    l.titleRight = {QPoint(w - 19, 0), kTitlePiece};
    l.titleMain = {19, 0, w - 38, kTitlePiece.height()};
    l.bottomLeft = {QPoint(0, h - 30), kBottomLeftPiece};
    l.bottom = {17, h - 30, w - 36, kBottomPiece.height()};
    l.bottomRight = {QPoint(w - 19, h - 30), kBottomRightPiece};
    l.close = {QPoint(w - 22, 8), kTitleButton};
    l.minimize = {QPoint(w - 39, 8), kTitleButton};
    return l;
}

QRegion roundFormRegion(QSize outer) {
    const int w = outer.width(), h = outer.height();
    if (w <= 0 || h <= 0)
        return {};
    const double r = kFormCornerEllipse / 2.0;
    // Row by row: a pixel belongs to the shape when its centre lies inside the corner ellipse.
    QRegion region(0, int(r), w, qMax(0, h - 2 * int(r)));
    for (int y = 0; y < int(r) && y < h; ++y) {
        const double dy = r - (y + 0.5);
        const int inset = int(std::ceil(r - std::sqrt(r * r - dy * dy) - 0.5));
        if (w - 2 * inset <= 0)
            continue;
        region += QRect(inset, y, w - 2 * inset, 1);
        if (h - 1 - y >= int(r))
            region += QRect(inset, h - 1 - y, w - 2 * inset, 1);
    }
    return region;
}

QRegion regionFromPicture(const QImage& picture, QSize inner, QColor colour) {
    QRegion region(QRect(QPoint(0, 0), inner));
    const QRgb key = colour.rgb() & RGB_MASK;
    for (int y = 0; y <= 5; ++y)
        // x runs up to the inner width inclusive; that last column lies outside the picture.
        for (int x = 0; x <= inner.width(); ++x) {
            if (x >= picture.width() || y >= picture.height())
                continue;
            if ((picture.pixel(x, y) & RGB_MASK) == key)
                region -= QRect(x, y, 1, 1);
        }
    return region;
}

namespace {

QWidget* part(QWidget* form, const char* name) {
    QWidget* child = form->findChild<QWidget*>(name);
    if (!child)
        qCWarning(lcForms) << "skinned form" << form->objectName() << "has no" << name;
    return child;
}

} // namespace

void LayoutFormSkin(QWidget* form) {
    using namespace skinparts;
    const FormSkinLayout l = formSkinLayout(form->size());
    auto* title = qobject_cast<QLabel*>(part(form, kTitle));
    if (!title)
        return;
    form->setWindowTitle(title->text());
    title->move(l.title);
    const std::pair<const char*, QRect> places[] = {
        {kTitleLeft, l.titleLeft},   {kTitleRight, l.titleRight},  {kTitleMain, l.titleMain},
        {kBottomLeft, l.bottomLeft}, {kBottom, l.bottom},          {kBottomRight, l.bottomRight},
        {kTitleClose, l.close},      {kTitleMinimize, l.minimize},
    };
    for (const auto& [name, rect] : places) {
        QWidget* image = part(form, name);
        if (!image)
            return;
        image->setGeometry(rect);
    }
    RoundFormRegion(form);
}

void RoundFormRegion(QWidget* form) {
    form->setMask(roundFormRegion(form->size()));
}

void SetTopMost(QWidget* form, qint16 onTop) {
    const bool top = isTopMostRequest(onTop);
    if (form->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == top)
        return;
    // Changing a window flag hides the window; a shown window is shown again.
    const bool shown = form->isVisible();
    form->setWindowFlag(Qt::WindowStaysOnTopHint, top);
    if (shown)
        form->show();
}

void DragForm(QWidget* form) {
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    QWindow* window = form->window()->windowHandle();
    if (!window || !window->startSystemMove())
        qCWarning(lcForms) << "window move not started for" << form->objectName();
}

void RegionFromPicture(QWidget* form, quint32 colour) {
    QImage picture = form->grab().toImage();
    if (picture.size() != form->size())
        picture = picture.scaled(form->size());
    form->setMask(regionFromPicture(picture, form->size(), fromOleColor(colour)));
}

} // namespace brightlock

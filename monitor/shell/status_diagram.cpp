// Power-path diagram widget; see status_diagram.h.
#include "status_diagram.h"

#include "resource_paths.h"
namespace brightlock {
namespace {

struct Layer {
    PowerPath::Picture picture;
    const char* name;
    const char* file;
};

// Bottom to top.
const Layer kLayers[] = {
    {PowerPath::ImageAC1, "ImageAC1", res::kStatusAcStill},
    {PowerPath::ImageAC2, "ImageAC2", res::kStatusAcFlow},
    {PowerPath::Image1, "Image1", nullptr},
    {PowerPath::ImageDC1, "ImageDC1", res::kStatusDc1},
    {PowerPath::ImageDC2, "ImageDC2", res::kStatusDc2},
    {PowerPath::ImageBL1, "ImageBL1", res::kStatusBl1},
    {PowerPath::ImageBL2, "ImageBL2", res::kStatusBl2},
};

} // namespace

StatusDiagram::StatusDiagram(const PowerPath& display, QWidget* parent) : QWidget(parent), display_(display) {
    setObjectName(QStringLiteral("PowerPath"));
    setFixedSize(kWidth, kHeight);
    base_ = new QLabel(this);
    base_->setObjectName(QStringLiteral("ImageBase"));
    base_->setGeometry(rect());
    for (const Layer& layer : kLayers) {
        auto* label = new QLabel(this);
        label->setObjectName(QString::fromLatin1(layer.name));
        label->setGeometry(rect());
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        label->hide();
        labels_[layer.picture] = label;
    }
    connect(&display_, &PowerPath::changed, this, &StatusDiagram::refresh);
    refresh();
}

void StatusDiagram::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    loadPictures();
    emit shownChanged(true);
}

void StatusDiagram::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    emit shownChanged(false);
    dropPictures();
}

void StatusDiagram::loadPictures() {
    if (picturesLoaded())
        return;
    base_->setPixmap(QPixmap(QString::fromLatin1(res::kStatusBase)));
    for (const Layer& layer : kLayers) {
        if (layer.file)
            labels_[layer.picture]->setPixmap(QPixmap(QString::fromLatin1(layer.file)));
    }
    for (int i = 1; i <= 6; ++i)
        flow_[i] = QPixmap(QString::fromLatin1(res::kStatusFlow[i - 1]));
    // The flow picture shows the frame the sequence is at; before the first frame, the one
    // the sequence starts with.
    const int image = display_.flowImage();
    flowShown_ = image >= 1 && image <= 6 ? image : 6;
    labels_[PowerPath::Image1]->setPixmap(flow_[flowShown_]);
}

void StatusDiagram::dropPictures() {
    base_->clear();
    for (QLabel* label : labels_)
        label->clear();
    flow_ = {};
    flowShown_ = -1;
}

void StatusDiagram::refresh() {
    for (int p = 0; p < PowerPath::PictureCount; ++p)
        labels_[p]->setVisible(display_.isShown(PowerPath::Picture(p)));
    const int image = display_.flowImage();
    if (picturesLoaded() && image != flowShown_ && image >= 1 && image <= 6) {
        labels_[PowerPath::Image1]->setPixmap(flow_[image]);
        flowShown_ = image;
    }
}

} // namespace brightlock

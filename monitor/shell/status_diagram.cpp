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
    auto* base = new QLabel(this);
    base->setObjectName(QStringLiteral("ImageBase"));
    base->setPixmap(QPixmap(QString::fromLatin1(res::kStatusBase)));
    base->setGeometry(rect());
    for (const Layer& layer : kLayers) {
        auto* label = new QLabel(this);
        label->setObjectName(QString::fromLatin1(layer.name));
        label->setGeometry(rect());
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        if (layer.file)
            label->setPixmap(QPixmap(QString::fromLatin1(layer.file)));
        label->hide();
        labels_[layer.picture] = label;
    }
    for (int i = 1; i <= 6; ++i)
        flow_[i] = QPixmap(QString::fromLatin1(res::kStatusFlow[i - 1]));
    // Until the first flow frame is drawn, the flow picture starts where the sequence does.
    labels_[PowerPath::Image1]->setPixmap(flow_[6]);
    connect(&display_, &PowerPath::changed, this, &StatusDiagram::refresh);
    refresh();
}

void StatusDiagram::refresh() {
    for (int p = 0; p < PowerPath::PictureCount; ++p)
        labels_[p]->setVisible(display_.isShown(PowerPath::Picture(p)));
    const int image = display_.flowImage();
    if (image != flowShown_ && image >= 1 && image <= 6) {
        labels_[PowerPath::Image1]->setPixmap(flow_[image]);
        flowShown_ = image;
    }
}

} // namespace brightlock

// The power-path diagram on the Status page: the background and one picture per role
// (ImageAC1, ImageAC2, Image1, ImageDC1, ImageDC2, ImageBL1, ImageBL2), stacked at the
// same place and shown or hidden as the PowerPath says.
#pragma once

#include "power_path.h"

#include <QLabel>
#include <QPixmap>
#include <QWidget>
#include <array>

namespace brightlock {

class StatusDiagram : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 440;
    static constexpr int kHeight = 200;

    StatusDiagram(const PowerPath& display, QWidget* parent = nullptr);

    QLabel* picture(PowerPath::Picture p) const { return labels_[p]; }

private:
    void refresh();

    const PowerPath& display_;
    std::array<QLabel*, PowerPath::PictureCount> labels_{};
    std::array<QPixmap, 7> flow_; // images 1 to 6 of the flow sequence (index 0 unused)
    int flowShown_ = -1;
};

} // namespace brightlock

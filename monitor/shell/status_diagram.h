// The power-path diagram on the Status page: the background and one picture per role
// (ImageAC1, ImageAC2, Image1, ImageDC1, ImageDC2, ImageBL1, ImageBL2), stacked at the
// same place and shown or hidden as the PowerPath says. While the diagram cannot be seen
// (its window hidden or minimised, another page shown) it lets its pictures go and says so
// (shownChanged), so that the PowerPath's animation timers are held: the hidden monitor
// neither wakes for animations nor keeps some 5 MB of pictures; they come back when it is
// shown again.
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
    bool picturesLoaded() const { return !flow_[6].isNull(); }

signals:
    // The diagram can be seen (true) or no longer can (false).
    void shownChanged(bool shown);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void refresh();
    void loadPictures();
    void dropPictures();

    const PowerPath& display_;
    QLabel* base_ = nullptr;
    std::array<QLabel*, PowerPath::PictureCount> labels_{};
    std::array<QPixmap, 7> flow_; // images 1 to 6 of the flow sequence (index 0 unused)
    int flowShown_ = -1;
};

} // namespace brightlock

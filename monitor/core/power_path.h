// The power-path diagram of the Status page: which of its pictures are shown and the
// four timers that animate them (the flowing mains pipe, the blinking battery and
// low-battery pipes). The page draws what this says; the rules live here.
#pragma once

#include "animation_timer.h"
#include "ups_link.h"

#include <QObject>
#include <array>
#include <cstdint>

namespace brightlock {

class PowerPath : public QObject {
    Q_OBJECT
public:
    enum Picture { ImageAC1, ImageAC2, Image1, ImageDC1, ImageDC2, ImageBL1, ImageBL2, PictureCount };

    explicit PowerPath(const UpsFlags& flags, QObject* parent = nullptr);

    void AcPipeDisplay();
    void AcPipeDisable();
    void DcPipeDisplay();
    void DcPipeDisable();
    void LowPipeDisplay();
    void LowPipeDisable();

    void Timer4Tick(); // mains phase switch, every 1000 ms
    void Timer5Tick(); // battery blink, every 1000 ms
    void Timer6Tick(); // low-battery blink, every 1000 ms
    void Timer7Tick(); // flow frames, every 200 ms

    bool isShown(Picture p) const { return shown_[p]; }
    void setShown(Picture p, bool shown);
    // The image of the flow sequence that Image1 shows, 1 to 6; 0 before the first frame.
    int flowImage() const { return flowImage_; }

    // Holds the four timers while the diagram cannot be seen (a hidden window, another
    // page): the pictures keep their state and the program is not woken for them.
    void holdAnimations(bool held);

    AnimationTimer Timer4;
    AnimationTimer Timer5;
    AnimationTimer Timer6;
    AnimationTimer Timer7;
    uint8_t FlowFrame = 0;
    int16_t FlowCycles = 0;

signals:
    void changed();

private:
    static void startIfStopped(AnimationTimer& t);
    void blink(Picture first, Picture second);

    const UpsFlags& flags_;
    std::array<bool, PictureCount> shown_{};
    int flowImage_ = 0;
};

} // namespace brightlock

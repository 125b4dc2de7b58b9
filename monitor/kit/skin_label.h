// SkinLabel: a label or skin image of a skinned window that reports its mouse presses and
// its clicks (a left press and release on it).
#pragma once

#include <QLabel>

namespace brightlock {

class SkinLabel : public QLabel {
    Q_OBJECT
public:
    explicit SkinLabel(QWidget* parent = nullptr);

signals:
    void Click();
    void MouseDown(int Button, int Shift, float X, float Y);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool leftPressed_ = false;
};

} // namespace brightlock

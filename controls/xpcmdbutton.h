// xpcmdbutton: the skinned push button. It paints itself from the five-cell button strip
// (normal, pressed, disabled, hover, latched) and centres its caption label on top.
#pragma once

#include "skinned_control.h"

namespace brightlock {

class xpcmdbutton : public SkinnedControl {
    Q_OBJECT
    Q_PROPERTY(qint32 State READ State WRITE setState)

public:
    explicit xpcmdbutton(QWidget* parent = nullptr);
    xpcmdbutton(const QString& caption, QWidget* parent = nullptr);

    // 0 normal look, 1 latched look; other values keep the last look.
    qint32 State() const { return state_; }
    void setState(qint32 state);

    // The strip cell painted now.
    int currentCell() const { return cell_; }

    // Raises Click.
    void clickControl() override;

    QSize sizeHint() const override;

protected:
    void showRestingLook() override { redraw(); }
    void showPressedLook() override;
    void showMoveLook(int button) override;
    void placeCaption() override;
    // The button is back at rest before its Click is raised.
    void releaseClick() override;
    // Return and Enter click the button too.

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void redraw();
    void drawCell(int cell);

    qint32 state_ = 0;
    int look_ = 0;
    int cell_ = 0;
};

} // namespace brightlock

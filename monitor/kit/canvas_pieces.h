// FramePiece: one piece of the skinned window frame. The title bar and the borders are
// painted from a frame picture (the title in its three slices, a border stretched); the
// resize grips paint nothing. Each reports its presses, releases and double-clicks with the
// button mask and the pointer's screen position, and leaves what they do to the frame.
#pragma once

#include <QPixmap>
#include <QWidget>

namespace brightlock {

class FramePiece : public QWidget {
    Q_OBJECT
public:
    enum class Paint { TitleSlices, Stretched, Nothing };

    FramePiece(const QString& name, Paint paint, QWidget* parent);

    void setPicture(const QPixmap& picture);
    const QPixmap& picture() const { return picture_; }

signals:
    void pressed(int button, QPoint globalPos);
    void released(int button, QPoint globalPos);
    void doubleClicked(int button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    const Paint paint_;
    QPixmap picture_;
};

} // namespace brightlock

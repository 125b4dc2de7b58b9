// xp_canvas: the skinned window frame that turns a frameless window into a framed one. It
// covers its parent window and draws a 29 px title bar with the icon and the caption (over
// its shadow), 5 px side and bottom borders and invisible resize grips, in the active or the
// inactive look as the window gains or loses activation. A left press on the title moves
// the window, a double-click maximises or restores it, and the borders and grips resize it
// once the mouse button is released; a Fixed_Single frame only moves. The window's other
// controls are children of the frame, in its client area.
#pragma once

#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <array>

class QLabel;

namespace brightlock {

class FramePiece;

class xp_canvas : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(QPixmap Icon READ Icon WRITE setIcon)
    Q_PROPERTY(bool Fixed_Single READ Fixed_Single WRITE setFixed_Single)

public:
    explicit xp_canvas(QWidget* parent = nullptr);
    ~xp_canvas() override;

    // The control's object name until a caption is set.
    QString Caption() const { return caption_; }
    void setCaption(const QString& vNewCaption);
    // The program's icon until another is set.
    QPixmap Icon() const { return icon_; }
    void setIcon(const QPixmap& New_Icon);
    bool Fixed_Single() const { return fixedSingle_; }
    void setFixed_Single(bool vNewValue);

    // Takes the keyboard focus and shows the active look at once.
    void SetFocus();
    // Makes `FrmID` stay on top of other windows, or an ordinary window again.
    void AlwaysOnTop(QWidget* FrmID, bool OnTop);
    // Shapes the parent window: the magenta pixels of the title picture's top six rows,
    // its rounded corners, become see-through. The shape follows later sizes and states.
    void make_trans();

    bool isActiveLook() const { return active_; }

signals:
    void Click();
    void DblClick();
    void KeyDown(int KeyCode, int Shift);
    void KeyPress(int KeyAscii);
    void KeyUp(int KeyCode, int Shift);
    void MouseDown(int Button, int Shift, float X, float Y);
    void MouseMove(int Button, int Shift, float X, float Y);
    void MouseUp(int Button, int Shift, float X, float Y);
    // Raised at the end of every layout.
    void Resize();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // The window the frame draws: its parent form.
    QWidget* form() const { return window(); }
    void watchParent();
    void followParent();
    void layoutFrame();
    void setLook(bool active);
    QPixmap titlePicture() const;
    void applyShape();
    void showCaption(const QString& caption);

    void titlePressed(int button);
    void titleDoubleClicked(int button);
    void handlePressed(int code, int button, QPoint globalPos);
    void handleReleased(int code, int button, QPoint globalPos);

    FramePiece* pictop_;
    FramePiece* picleft_;
    FramePiece* picright_;
    FramePiece* picbottom_;
    QLabel* lblshadow_;
    QLabel* lblcaption_;
    QLabel* imgicon_;
    // Indexed by handle code: the borders and the grips.
    std::array<FramePiece*, 8> handles_{};
    std::array<QPointer<QWidget>, 2> watched_;

    QString caption_;
    bool captionSet_ = false;
    QPixmap icon_;
    bool fixedSingle_ = false;
    bool active_ = true;
    bool shaped_ = false;
    int resizeHandle_ = -1;
    QPoint resizeFrom_;
    bool leftPressed_ = false;
};

} // namespace brightlock

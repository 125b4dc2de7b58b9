// SkinnedControl: what the skinned push button, check box and radio button share. The
// caption label `lbl` with its access key, the eight events and the mouse, key and focus
// handling that raises them, the hover timer that ends in MouseOut, and the keyboard focus
// cue. Each control says how it looks at rest, pressed and under a moving pointer, where its
// caption goes and what a click does.
#pragma once

#include <QColor>
#include <QFont>
#include <QWidget>
#include <memory>

class QLabel;

namespace brightlock {

class HoverWatch;

class SkinnedControl : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(QFont Font READ Font WRITE setFont)

public:
    ~SkinnedControl() override;

    bool Enabled() const { return isEnabled(); }
    QString Caption() const { return caption_; }
    void setCaption(const QString& caption);
    QFont Font() const { return font(); }

    // The hover timer's tick with the pointer at `globalPos`.
    void hoverTick(QPoint globalPos);
    bool isHoverTimerActive() const;

    // What a click does: a left press and release on the control, or the access key. Keys
    // never click (see keyPressEvent).
    virtual void clickControl() = 0;

signals:
    void Click();
    void KeyDown(int KeyCode, int Shift);
    void KeyPress(int KeyAscii);
    void KeyUp(int KeyCode, int Shift);
    void MouseOut();
    void MouseDown(int Button, int Shift, float X, float Y);
    void MouseMove(int Button, int Shift, float X, float Y);
    void MouseUp(int Button, int Shift, float X, float Y);

protected:
    // On a button press and when the hover ends, the push button raises the event before it
    // changes its look; the check box and radio button change their glyph first.
    enum class LookTiming { AfterEvent, BeforeEvent };

    SkinnedControl(LookTiming timing, QWidget* parent);

    QLabel* captionLabel() const { return lbl_; }
    // The caption's colour while enabled; disabled controls show the skin's grey.
    void setCaptionColour(const QColor& colour);
    void startHoverWatch();
    // Whether to draw the focus cue: the control has focus and it came from the keyboard.
    bool showsFocusCue() const { return hasFocus() && keyboardFocus_; }

    virtual void showRestingLook() = 0;
    virtual void showPressedLook() = 0;
    // The look under a pointer moving inside with the buttons of mask `button` held.
    virtual void showMoveLook(int button) = 0;
    virtual void placeCaption() = 0;
    // The click that ends a left press on the control.
    virtual void releaseClick() { clickControl(); }
    // The access key of the caption.
    virtual void accessKeyClick() { clickControl(); }

    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void applyCaptionColour();
    void grabAccessKey();

    const LookTiming timing_;
    QLabel* lbl_;
    std::unique_ptr<HoverWatch> hover_;
    QString caption_;
    QColor captionColour_;
    int shortcutId_ = 0;
    bool leftPressed_ = false;
    bool keyboardFocus_ = false;
};

} // namespace brightlock

// xpcmdbutton: the skinned push button. It paints itself from the five-cell button strip
// (normal, pressed, disabled, hover, latched) and centres its caption label on top.
#pragma once

#include <QFont>
#include <QWidget>
#include <memory>

class QLabel;

namespace brightlock {
class HoverWatch;
}

class xpcmdbutton : public QWidget {
    Q_OBJECT
    Q_PROPERTY(qint32 State READ State WRITE setState)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(QFont Font READ Font WRITE setFont)

public:
    explicit xpcmdbutton(QWidget* parent = nullptr);
    xpcmdbutton(const QString& caption, QWidget* parent = nullptr);
    ~xpcmdbutton() override;

    // 0 normal look, 1 latched look; other values keep the last look.
    qint32 State() const { return m_state; }
    void setState(qint32 state);

    bool Enabled() const { return isEnabled(); }
    QString Caption() const { return m_caption; }
    void setCaption(const QString& caption);
    QFont Font() const { return font(); }

    // The strip cell painted now, and the look the button falls back to.
    int currentCell() const { return m_cell; }
    int lookIndex() const { return m_look; }

    // The hover timer's tick with the pointer at `globalPos`.
    void hoverTick(QPoint globalPos);
    bool isHoverTimerActive() const;

    QSize sizeHint() const override;

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
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
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
    void redraw();
    void drawCell(int cell);
    void centreCaption();
    void applyCaptionColour();
    void grabAccessKey();

    QLabel* m_lbl;
    std::unique_ptr<brightlock::HoverWatch> m_hover;
    qint32 m_state = 0;
    int m_look = 0;
    int m_cell = 0;
    QString m_caption;
    int m_shortcutId = 0;
    bool m_leftPressed = false;
    bool m_spacePressed = false;
    bool m_keyboardFocus = false;
};

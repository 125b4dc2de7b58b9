// GlyphControl: what the skinned check box and radio button share. A 16 x 16 glyph `p` at
// the left, the caption `lbl` at 32 px, background and caption colours, the events and the
// hover timer, which runs from the start. The two controls differ in their value, their
// glyph pictures and what a click does.
#pragma once

#include <QWidget>
#include <memory>
#include <optional>

class QLabel;

namespace brightlock {

class HoverWatch;

class GlyphControl : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(QFont Font READ Font WRITE setFont)
    Q_PROPERTY(quint32 BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(quint32 ForeColor READ ForeColor WRITE setForeColor)

public:
    ~GlyphControl() override;

    bool Enabled() const { return isEnabled(); }
    QString Caption() const { return m_caption; }
    void setCaption(const QString& caption);
    QFont Font() const { return font(); }

    // Colours as 32-bit values (red + 256 x green + 65536 x blue, or a system colour).
    quint32 BackColor() const { return m_backColor; }
    void setBackColor(quint32 colour);
    quint32 ForeColor() const { return m_foreColor; }
    void setForeColor(quint32 colour);

    // The glyph cell shown now (-1 before any was drawn).
    int currentGlyph() const { return m_glyph; }

    // The hover timer's tick with the pointer at `globalPos`.
    void hoverTick(QPoint globalPos);
    bool isHoverTimerActive() const;

    // What a click does: raise Click, change the value, redraw.
    virtual void clickControl() = 0;

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
    explicit GlyphControl(QWidget* parent);

    // The glyph index for a look of the current value; none when nothing is to be drawn.
    virtual std::optional<int> glyphFor(int look) const = 0;
    virtual QPixmap glyphPicture(int index) const = 0;

    // The glyph of the value at rest (the disabled one while disabled).
    void drawNormal();
    void drawLook(int look);

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
    void layoutParts();
    void applyCaptionColour();
    void grabAccessKey();

    QLabel* m_p;
    QLabel* m_lbl;
    std::unique_ptr<HoverWatch> m_hover;
    QString m_caption;
    quint32 m_backColor;
    quint32 m_foreColor = 0;
    int m_glyph = -1;
    int m_shortcutId = 0;
    bool m_leftPressed = false;
    bool m_spacePressed = false;
    bool m_keyboardFocus = false;
};

} // namespace brightlock

// GlyphControl: what the skinned check box and radio button share. A 16 x 16 glyph `p` at
// the left, the caption `lbl` at 32 px, background and caption colours, the value and the
// hover timer, which runs from the start. The two controls differ in the type of their
// value, their glyph pictures and what a click does to the value.
#pragma once

#include "skin_rules.h"
#include "skinned_control.h"

#include <QPixmap>
#include <optional>

namespace brightlock {

// The glyphs of one kind of control: the glyph index for a value and look (none when
// nothing is to be drawn), and the picture of an index.
struct GlyphSet {
    std::optional<int> (*glyphFor)(qint32 value, skin::GlyphLook look);
    QPixmap (*picture)(int index);
};

class GlyphControl : public SkinnedControl {
    Q_OBJECT
    Q_PROPERTY(quint32 BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(quint32 ForeColor READ ForeColor WRITE setForeColor)

public:
    // Colours as 32-bit values (red + 256 x green + 65536 x blue, or a system colour).
    quint32 BackColor() const { return backColor_; }
    void setBackColor(quint32 colour);
    quint32 ForeColor() const { return foreColor_; }
    void setForeColor(quint32 colour);

    // The glyph cell shown now (-1 before any was drawn).
    int currentGlyph() const { return glyph_; }

    // Raises Click, changes the value, redraws.
    void clickControl() final;

    QSize sizeHint() const override;

protected:
    GlyphControl(const QString& caption, const GlyphSet& glyphs, QWidget* parent);

    qint32 glyphValue() const { return value_; }
    void setGlyphValue(qint32 value) {
        value_ = value;
        showRestingLook();
    }
    // The value a click leaves, after Click was raised. Must end in setGlyphValue (even when
    // the value stays the same): that redraws the resting look, which clickControl relies on.
    virtual void changeValueOnClick() = 0;

    void showRestingLook() override;
    void showPressedLook() override;
    void showMoveLook(int button) override;
    void placeCaption() override;
    // The access key also moves the focus to the control.
    void accessKeyClick() override;

    void paintEvent(QPaintEvent* event) override;

private:
    void drawLook(skin::GlyphLook look);

    const GlyphSet glyphs_;
    QLabel* p_;
    qint32 value_ = 0;
    quint32 backColor_;
    quint32 foreColor_ = 0;
    int glyph_ = -1;
};

// The constructors of a glyph control drawn with `Glyphs`, for the controls to inherit.
template <const GlyphSet& Glyphs> class GlyphControlOf : public GlyphControl {
public:
    explicit GlyphControlOf(QWidget* parent = nullptr) : GlyphControl(QString(), Glyphs, parent) {}
    GlyphControlOf(const QString& caption, QWidget* parent = nullptr)
        : GlyphControl(caption, Glyphs, parent) {}
};

} // namespace brightlock

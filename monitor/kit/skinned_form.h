// SkinnedForm: the base of the program's frameless windows. It carries lblTitle and the nine
// skin images under their fixed object names, lays them out with LayoutFormSkin whenever its
// size changes and reports the title-bar buttons and presses on the title. What a button does
// is the window's choice; useMainTitleBar() gives the main window's behaviour.
#pragma once

#include <QWidget>

namespace brightlock {

class SkinLabel;

class SkinnedForm : public QWidget {
    Q_OBJECT
public:
    explicit SkinnedForm(QWidget* parent = nullptr);
    ~SkinnedForm() override;

    // lblTitle's caption; LayoutFormSkin makes it the window title too.
    void setTitle(const QString& title);
    QString title() const;

    SkinLabel* lblTitle() const { return title_; }
    // A skin image by its object name (imgTitleClose, ...), or null.
    SkinLabel* skinImage(const QString& name) const;

    // Close closes the window (the main window's closeEvent asks the program to end),
    // minimize runs minimizeFromTitle, and a left-button press on the title drags it.
    void useMainTitleBar();

signals:
    void TitleCloseClick();
    void TitleMinimizeClick();
    void TitleHelpClick();
    // A press of any mouse button on the title text or one of the three title-bar pieces.
    void TitleMouseDown(int Button);

protected:
    // The main title bar's minimize: hides the window.
    virtual void minimizeFromTitle() { hide(); }
    // Called before each show with the screen's available size: a window that can shrink
    // (scrolling what no longer fits) takes a size that fits. Then the window is placed
    // inside the screen.
    virtual void fitInto(const QSize& available) { Q_UNUSED(available); }
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    SkinLabel* addImage(const char* name, const char* picture, bool stretched);

    SkinLabel* title_;
    QWidget* outline_;
};

} // namespace brightlock

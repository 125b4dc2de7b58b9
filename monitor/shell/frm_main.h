// The main window: the title bar, the row of five tabs and the page host below it. Each
// page is its own widget; a tab's click shows its page and hides the others. The window
// is created hidden; the tray icon shows it, minimizing hides it again (or, without a
// tray, minimizes it as any window), and closing it ends the monitor.
#pragma once

#include "main_page.h"
#include "monitor_ports.h"
#include "skinned_form.h"
#include "xpcmdbutton.h"

#include <QFrame>
#include <QScrollArea>
#include <array>
#include <optional>

namespace brightlock {

class frmMain : public SkinnedForm, public MainFormHooks {
    Q_OBJECT
public:
    static constexpr int kWidth = 640;
    static constexpr int kHeight = 440;
    enum Page { PageStatus, PageLog, PageEvent, PageClosed, PageEventManager, PageCount };

    explicit frmMain(QWidget* parent = nullptr);

    // Puts a page in the host under its tab; the window owns it from then on.
    void setPage(Page which, MainPage* page);
    MainPage* page(Page which) const { return pages_[which]; }

    void LayoutFormSkin() override;
    void selectStatusPage() override { selectPage(PageStatus); }

    // A tab click: its outline turns green and the others blue, its page flag is set and
    // the others cleared, its page shows and the others hide, then the page does its
    // opening work.
    void selectPage(Page page);
    Page selectedPage() const { return selected_; }

    // One flag per tab, True (-1) for the selected page and False (0) for the others; all
    // False until the first tab click. The outlines follow them and the pointer.
    std::array<qint16, PageCount> PageSelected{};

    // Brings the window up from the tray where it was last seen.
    void showFromTray();
    // Off the screen from the title's minimize button: hidden into the tray where the desktop
    // has one to come back from, else minimized as any window, so that it stays within reach.
    void minimizeInto(bool trayAvailable);

signals:
    // The user closed the window: the program runs its exit steps and ends.
    void closeRequested();
    // The title's minimize button: the receiver, which knows whether there is a tray, calls
    // minimizeInto().
    void minimizeRequested();

protected:
    void minimizeFromTitle() override { emit minimizeRequested(); }
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    // On a screen smaller than the window the page area shrinks and scrolls.
    void fitInto(const QSize& available) override;

private:
    void buildTabs();
    void setOutline(int tab, const QColor& colour);

    std::array<xpcmdbutton*, PageCount> tabs_{};
    std::array<QFrame*, PageCount> outlines_{};
    std::array<MainPage*, PageCount> pages_{};
    QScrollArea* pageArea_;
    QWidget* pageHost_; // the pages' parent, the page area's content
    Page selected_ = PageStatus;
    std::optional<QPoint> lastPos_; // where the window was when it was last hidden
};

} // namespace brightlock

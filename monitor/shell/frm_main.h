// The main window: the tab row with its five pages and the Status page that shows what
// the monitor decides. It is created hidden; the tray icon shows it, minimizing hides it
// again, and closing it ends the monitor.
#pragma once

#include "monitor.h"
#include "skinned_form.h"

#include <QFrame>
#include <QLabel>
#include <array>
#include <functional>

namespace brightlock {

class StatusDiagram;
class xpcmdbutton;

class frmMain : public SkinnedForm, public MainFormHooks {
    Q_OBJECT
public:
    static constexpr int kWidth = 640;
    static constexpr int kHeight = 440;
    enum Page { PageStatus, PageLog, PageEvent, PageClosed, PageEventManager, PageCount };

    explicit frmMain(Monitor& monitor, QWidget* parent = nullptr);

    void LayoutFormSkin() override;
    void selectStatusPage() override { selectPage(PageStatus); }

    // A tab click: its outline turns green, its page shows, the others hide.
    void selectPage(Page page);
    Page selectedPage() const { return selected_; }

    // Brings the window up from the tray.
    void showFromTray();

    // The user closed the window: the monitor's exit steps run, then the program ends.
    std::function<void()> onCloseRequested;
    // The "Shutdown" button was clicked.
    std::function<void()> onShutdownClicked;

    QFrame* pageFrame(Page page) const { return pages_[page]; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildTabs();
    void buildStatusPage(QFrame* page);
    void refreshStatus();
    void setOutline(int tab, const QColor& colour);

    Monitor& monitor_;
    std::array<xpcmdbutton*, PageCount> tabs_{};
    std::array<QFrame*, PageCount> outlines_{};
    std::array<QFrame*, PageCount> pages_{};
    Page selected_ = PageStatus;
    QLabel* message_ = nullptr;
    QLabel* alarmText_ = nullptr;
    QLabel* onBattery_ = nullptr;
    QLabel* lowBattery_ = nullptr;
    QLabel* alarmSign_ = nullptr;
    xpcmdbutton* shutdown_ = nullptr;
};

} // namespace brightlock

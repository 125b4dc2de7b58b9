// MainPage: one page of the main window, shown below the tab row when its tab is
// clicked. A page that needs fresh content each time it is shown (a record grid, the
// settings read again from the file) does that work in pageOpened.
#pragma once

#include <QFrame>

namespace brightlock {

class MainPage : public QFrame {
    Q_OBJECT
public:
    explicit MainPage(QWidget* parent = nullptr) : QFrame(parent) { setFrameShape(QFrame::StyledPanel); }

    // Runs after the page has been shown by its tab's click.
    virtual void pageOpened() {}
};

} // namespace brightlock

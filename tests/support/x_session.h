// A private X session for tests that drive a real desktop: an Xvfb server of its own and,
// unless asked otherwise, openbox as its EWMH window manager. Keystrokes and window
// requests of a test then never reach the user's screen or another test's windows.
#pragma once

#include <QString>
#include <QStringList>
#include <sys/types.h>

namespace testing {

class XSession {
public:
    enum class Kind { WithWindowManager, ServerOnly };

    // Starts the server (with `serverArgs` added) and waits until the window manager runs.
    explicit XSession(Kind kind = Kind::WithWindowManager, const QStringList& serverArgs = {});
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    bool ok() const { return whyNot_.isEmpty(); }
    // Points Qt at this session (its display, the xcb platform), or at the offscreen
    // platform when there is none; before the application object is made.
    void selectQtPlatform() const;
    // Why the session could not be had, for QSKIP.
    QString whyNot() const { return whyNot_; }
    // ":N", for DISPLAY.
    QString display() const { return display_; }

private:
    void start(Kind kind, const QStringList& serverArgs);

    pid_t server_ = 0;
    pid_t windowManager_ = 0;
    QString display_;
    QString whyNot_;
};

} // namespace testing

// Opening the help files, and the program-wide F1 key.
#include "help.h"

#include "app_paths.h"
#include "help_viewer.h"
#include "log_categories.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QWidget>

namespace brightlock {

namespace {

// The desktop's opener hands an HTML file to whatever application is set for it, which
// may be a text editor showing the markup: only a web browser counts.
UrlOpener& urlOpener() {
    static UrlOpener opener = [](const QUrl& url) {
        return desktopHasHtmlBrowser() && QDesktopServices::openUrl(url);
    };
    return opener;
}

// The guide's section for the widget with the keyboard focus (the Help button just
// clicked) or one of its parents, which carry it in the property "helpSection".
QString focusedHelpSection() {
    for (QObject* o = QApplication::focusWidget(); o; o = o->parent()) {
        const QString section = o->property("helpSection").toString();
        if (!section.isEmpty())
            return section;
    }
    return {};
}

class F1Filter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1 &&
            watched->isWidgetType()) {
            openHelpFile(f1HelpPath());
            return true;
        }
        return false;
    }
};

} // namespace

QString programHelpPath() {
    return QDir(ProgramDirectory()).filePath("Brightlock.html");
}

QString f1HelpPath() {
    // An installed copy runs in whatever folder the session started it in (often the home
    // folder); without an F1 help there, the copy beside the programs opens.
    const QString here = QDir::current().absoluteFilePath("Wrenfield II.html");
    if (QFileInfo(here).isFile())
        return here;
    return QDir(ProgramDirectory()).filePath("Wrenfield II.html");
}

bool openHelpFile(const QString& path, const QString& section) {
    // The desktop's opener would report a missing file in a window of its own.
    if (!QFileInfo(path).isFile()) {
        qCWarning(lcForms) << "help file missing:" << path;
        return false;
    }
    QUrl url = QUrl::fromLocalFile(path);
    if (!section.isEmpty())
        url.setFragment(section);
    if (!urlOpener()(url)) {
        qCInfo(lcForms) << "no web browser took" << url << "- showing it in the program's viewer";
        showHelpInViewer(url);
    }
    return true;
}

void setUrlOpener(UrlOpener opener) {
    urlOpener() = std::move(opener);
}

void OpenProgramHelp() {
    openHelpFile(programHelpPath(), focusedHelpSection());
}

void InstallF1Help() {
    static F1Filter* filter = nullptr;
    if (filter || !qApp)
        return;
    filter = new F1Filter(qApp);
    qApp->installEventFilter(filter);
}

void SendF1ToActiveWindow() {
    QWidget* target = QApplication::focusWidget();
    if (!target)
        target = QApplication::activeWindow();
    if (!target) {
        qCWarning(lcForms) << "F1 not sent: no active window";
        return;
    }
    QKeyEvent press(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_F1, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
    QCoreApplication::sendEvent(target, &release);
}

} // namespace brightlock

// The program's help: the HTML manual beside the programs, opened by the pages' "Help"
// buttons, and the F1 help, "Wrenfield II.html" in the current directory, else beside the
// programs. A missing file opens nothing and says nothing; without a web browser the
// program's own viewer shows the file.
#pragma once

#include <QUrl>
#include <functional>

class QWidget;

namespace brightlock {

QString programHelpPath(); // <program directory>/Brightlock.html
QString f1HelpPath();      // <current directory>/Wrenfield II.html, else <program directory>/...

// Opens a help file, at `section` (an anchor) when given, in the desktop's web browser, or
// in the program's own viewer when no browser takes it; false when the file does not exist.
bool openHelpFile(const QString& path, const QString& section = {});

// What opens a URL; QDesktopServices::openUrl unless a test puts its own in place.
using UrlOpener = std::function<bool(const QUrl&)>;
void setUrlOpener(UrlOpener opener);

// The "Help" buttons of the main window's pages: the guide at the section of the page
// whose button has the focus (a page says its section in the property "helpSection").
void OpenProgramHelp();

// Makes F1 anywhere in the program open the F1 help. Safe to call more than once.
void InstallF1Help();

// The help button that presses F1 for the active window, whose F1 help then opens.
void SendF1ToActiveWindow();

} // namespace brightlock

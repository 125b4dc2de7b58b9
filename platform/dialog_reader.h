// Other programs' dialogs as their accessibility tree describes them: which kind of dialog a
// window is, and its answers pressed by role and name instead of by keystrokes. On Linux this
// is the accessibility bus (AT-SPI2, platform/atspi, linked only by `close`); programs that
// do not expose themselves there (Tk, Motif, Athena) read as `Unreadable`, and the closer
// falls back to keystrokes for them. Tests use a recording fake.
#pragma once

#include <QString>
#include <memory>

namespace brightlock {

enum class DialogKind {
    Unreadable,  // the program is not on the bus, or none of its windows is this dialog
    SavePrompt,  // "Save changes?": has a button that saves (and one that discards or cancels)
    FileChooser, // a file name field and a button that confirms it
    KeepFormat,  // "Keep the current format?": a choice between two formats, both of which save
    Other,       // readable, but none of the above: an error, "replace?", a question of its own
};

// A dialog window: the process that shows it (_NET_WM_PID) and its title.
struct DialogRef {
    qint64 process = 0;
    QString title;
};

class DialogReader {
public:
    virtual ~DialogReader() = default;

    virtual DialogKind read(const DialogRef& dialog) = 0;
    // A save prompt: ticks every document it lists and presses the button that saves (not
    // whichever is the default). False when it has no such button or the press failed.
    virtual bool pressSave(const DialogRef& dialog) = 0;
    // A file chooser: puts `path` into its name field and presses the button that confirms.
    virtual bool fillFileName(const DialogRef& dialog, const QString& path) = 0;
    // A "keep the format?" question: presses the choice that saves in the document's format.
    virtual bool keepFormat(const DialogRef& dialog) = 0;
};

// The accessibility bus of this session, switched on (org.a11y.Status IsEnabled) so that
// programs started from now on expose themselves; null when there is none, `whyNot` then
// says why in one line.
std::unique_ptr<DialogReader> openDialogReader(QString& whyNot);

} // namespace brightlock

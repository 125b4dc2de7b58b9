// A scripted desktop for tests of the closer. Windows have titles, a stacking order and a
// window in front; each document window says what its program does when asked to close.
// Every action is recorded in order, keys and text with the window that had the keyboard.
#pragma once

#include "desktop.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <functional>

namespace fakes {

// What a program does when its document window is asked to close.
enum class OnClose {
    Closes,             // the window goes away at once
    AsksToSave,         // a save prompt; Enter saves the document and the window goes away
    AsksThenSaveDialog, // a save prompt; Enter opens a save dialog
    SaveDialog,         // a save dialog at once
    StaysOpen,          // nothing happens
    AsksThenCancels,    // a save prompt whose default answer is Cancel: Enter closes only the prompt
    AsksAndWaits,       // a save prompt that Enter does not answer
};
// In a save dialog, the typed text followed by Enter saves under that name (`savedAs`): the
// file is written (with the window's `extension`, unless it `writesNothing`), and the window
// goes away once its last unsaved document is saved; before that it asks about the next one.

class FakeDesktop : public brightlock::Desktop {
public:
    using WindowId = brightlock::WindowId;
    using Key = brightlock::Key;
    enum class Role { Document, Prompt, SaveDialog };

    struct Window {
        WindowId id = 0;
        QString title;
        Role role = Role::Document;
        OnClose onClose = OnClose::Closes;
        WindowId document = 0; // for dialogs: the document window they belong to
        WindowId owner = 0;    // WM_TRANSIENT_FOR
        quint64 client = 0;
        qint64 pid = 0;
        bool minimized = false;
        bool application = true;  // false: a desktop or dock window the window manager lists
        bool staysBehind = false; // the window manager does not bring it to the front
        QString typed;            // everything typed while this window had the keyboard
        QString program;          // WM_CLASS
        int documents = 1;        // unsaved documents (tabs) of a document window
        // One prompt lists every document with a check box (ticked); Enter unticks the first
        // instead of answering; Save then opens a save dialog per document.
        bool listsDocuments = false;
        int unticked = 0;
        bool exposed = false;       // on the accessibility bus: its dialogs can be read
        QString extension;          // added to the saved file's name, as ".txt"
        bool writesNothing = false; // its save dialog closes without writing a file
        // Its save dialog joins the typed name to this folder, an absolute one too (Motif's);
        // a name that leads nowhere is refused with a question that opens the dialog again.
        QString joinsFolder;
    };

    QStringList calls;   // "activate 3", "close 3", "minimizeAll", "keyDown Return @5", "type abc @5"
    QStringList savedAs; // names confirmed in save dialogs
    // Dialogs are transient for their document; when false they are plain windows of the
    // same program, as some toolkits make them.
    bool dialogsTransient = true;
    // Enters in save dialogs that their name field's completion list takes for itself.
    int completionTakesEnters = 0;
    // Another program holds the keyboard grab: keys would go to it.
    bool grabbedElsewhere = false;
    // New dialogs come to the front; when false they open on top without the keyboard.
    bool dialogsTakeFocus = true;
    // Runs after each close request, as the user or another program might act then.
    std::function<void()> afterRequestClose;

    // A new document window of a program of its own, on top and in front.
    WindowId addWindow(const QString& title, OnClose onClose = OnClose::Closes) {
        Window w;
        w.id = nextId_++;
        w.title = title;
        w.onClose = onClose;
        w.client = w.id << 21;
        w.pid = qint64(1000 + w.id);
        w.program = QStringLiteral("program%1").arg(w.id);
        return add(w);
    }
    WindowId addPanel() { return panel_ = nextId_++; }
    // A listed window that is no application's: the desktop of a file manager, a dock.
    WindowId addOtherWindow(const QString& title) {
        const WindowId id = addWindow(title, OnClose::StaysOpen);
        window(id)->application = false;
        return id;
    }
    // The window in front, as the user or a program might change it.
    void setActive(WindowId id) { active_ = id; }
    Window* window(WindowId id) {
        auto it = std::find_if(stack_.begin(), stack_.end(), [id](const Window& w) { return w.id == id; });
        return it == stack_.end() ? nullptr : &*it;
    }

    WindowId activeWindow() override { return active_; }
    QString windowTitle(WindowId id) override { return window(id) ? window(id)->title : QString(); }
    WindowId panelWindow() override { return panel_; }
    QVector<WindowId> clientWindows() override {
        QVector<WindowId> ids;
        for (const Window& w : stack_)
            ids.append(w.id);
        return ids;
    }
    bool isApplicationWindow(WindowId id) override { return window(id) && window(id)->application; }
    WindowId transientFor(WindowId id) override { return window(id) ? window(id)->owner : 0; }
    qint64 processOf(WindowId id) override { return window(id) ? window(id)->pid : 0; }
    quint64 clientOf(WindowId id) override { return window(id) ? window(id)->client : 0; }
    QString windowClass(WindowId id) override { return window(id) ? window(id)->program : QString(); }
    bool keyboardGrabbedElsewhere() override { return grabbedElsewhere; }
    WindowId probeWindow(WindowId id) override { return window(id) ? id : 0; }

    bool activateWindow(WindowId id) override {
        calls << QStringLiteral("activate %1").arg(id);
        Window* w = window(id);
        if (!w)
            return false;
        w->minimized = false;
        if (w->staysBehind)
            return true;
        Window moved = *w;
        stack_.erase(stack_.begin() + (w - stack_.data()));
        stack_.append(moved);
        active_ = id;
        return true;
    }
    bool requestClose(WindowId id) override {
        calls << QStringLiteral("close %1").arg(id);
        Window* w = window(id);
        if (!w || w->role != Role::Document)
            return w != nullptr;
        switch (w->onClose) {
        case OnClose::Closes:
            remove(id);
            break;
        case OnClose::AsksToSave:
        case OnClose::AsksThenSaveDialog:
        case OnClose::AsksThenCancels:
        case OnClose::AsksAndWaits:
            addDialog(*w, Role::Prompt);
            break;
        case OnClose::SaveDialog:
            addDialog(*w, Role::SaveDialog);
            break;
        case OnClose::StaysOpen:
            break;
        }
        if (afterRequestClose)
            afterRequestClose();
        return true;
    }
    bool minimizeAll() override {
        calls << QStringLiteral("minimizeAll");
        for (Window& w : stack_)
            w.minimized = true;
        active_ = 0;
        return true;
    }

    bool keyDown(Key key) override {
        calls << QStringLiteral("keyDown %1 @%2").arg(brightlock::keyName(key)).arg(active_);
        if (key == Key::Return)
            enter();
        return true;
    }
    bool keyUp(Key key) override {
        calls << QStringLiteral("keyUp %1 @%2").arg(brightlock::keyName(key)).arg(active_);
        return true;
    }
    bool typeText(const QString& text) override {
        calls << QStringLiteral("type %1 @%2").arg(text).arg(active_);
        if (Window* w = window(active_))
            w->typed += text;
        return true;
    }

private:
    WindowId add(const Window& w) {
        stack_.append(w);
        active_ = w.id;
        return w.id;
    }
    void addDialog(const Window& document, Role role) {
        Window d;
        d.id = nextId_++;
        d.title = role == Role::Prompt ? QStringLiteral("Save changes?") : QStringLiteral("Save As");
        d.role = role;
        d.document = document.id;
        d.owner = dialogsTransient ? document.id : 0;
        d.client = document.client;
        d.pid = document.pid;
        const WindowId active = active_;
        add(d);
        if (!dialogsTakeFocus)
            active_ = active;
    }
    void remove(WindowId id) {
        stack_.erase(std::remove_if(stack_.begin(), stack_.end(),
                                    [id](const Window& w) { return w.id == id || w.document == id; }),
                     stack_.end());
        if (window(active_))
            return;
        auto shown =
            std::find_if(stack_.rbegin(), stack_.rend(), [](const Window& w) { return !w.minimized; });
        active_ = shown == stack_.rend() ? 0 : shown->id;
    }
    // Enter in a dialog answers it with its default button; in a document it is only a typed
    // line break.
    void enter() {
        Window* w = window(active_);
        if (!w)
            return;
        if (w->role == Role::Document) {
            w->typed += QLatin1Char('\n');
            return;
        }
        if (w->role == Role::SaveDialog && completionTakesEnters > 0) {
            --completionTakesEnters;
            return;
        }
        if (w->role == Role::SaveDialog) {
            confirm(w->id, w->typed);
            return;
        }
        const Window* document = window(w->document);
        if (document->onClose == OnClose::AsksAndWaits) {
            w->typed += QLatin1Char('\n');
            return;
        }
        if (document->listsDocuments) {
            ++window(w->document)->unticked;
            return;
        }
        if (document->onClose == OnClose::AsksThenCancels) {
            remove(w->id);
            return;
        }
        answerPrompt(w->id);
    }

public:
    // The prompt's save button: the document is saved, through a save dialog where the
    // program asks for a name.
    void answerPrompt(WindowId prompt) {
        const WindowId document = window(prompt)->document;
        const Window owner = *window(document);
        if (owner.onClose == OnClose::AsksToSave) {
            remove(document);
            return;
        }
        remove(prompt);
        addDialog(owner, Role::SaveDialog);
    }
    // The save dialog confirmed with `name`.
    void confirm(WindowId dialog, const QString& name) {
        const WindowId document = window(dialog)->document;
        Window& owner = *window(document);
        savedAs << name;
        const QString target =
            owner.joinsFolder.isEmpty() ? name : QDir::cleanPath(owner.joinsFolder + '/' + name);
        if (!owner.joinsFolder.isEmpty() && !QFileInfo(target).dir().exists()) {
            const Window refused = owner;
            remove(dialog);
            addDialog(refused, Role::Prompt);
            return;
        }
        if (!owner.writesNothing) {
            QFile file(target + owner.extension);
            if (file.open(QIODevice::WriteOnly))
                file.write("saved");
        }
        if (--owner.documents <= 0) {
            remove(document);
            return;
        }
        const Window next = owner;
        remove(dialog);
        addDialog(next, next.listsDocuments ? Role::SaveDialog : Role::Prompt);
    }

private:
    QVector<Window> stack_; // bottom to top
    WindowId active_ = 0;
    WindowId panel_ = 0;
    WindowId nextId_ = 1;
};

} // namespace fakes

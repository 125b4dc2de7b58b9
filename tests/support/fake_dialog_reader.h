// The accessibility bus of the scripted desktop: the dialogs of programs marked `exposed`
// read as what they are, and their buttons act on the scripted desktop. Every call is put
// into the desktop's record as "pressSave @5" or "fill <path> @5".
#pragma once

#include "dialog_reader.h"
#include "support/fake_desktop.h"

namespace fakes {

class FakeDialogReader : public brightlock::DialogReader {
public:
    using DialogKind = brightlock::DialogKind;
    using DialogRef = brightlock::DialogRef;

    explicit FakeDialogReader(FakeDesktop& desktop) : desktop_(desktop) {}

    DialogKind read(const DialogRef& ref) override {
        const FakeDesktop::Window* w = find(ref);
        if (!w)
            return DialogKind::Unreadable;
        switch (w->role) {
        case FakeDesktop::Role::Prompt:
            return w->title == QLatin1String("Keep format?") ? DialogKind::KeepFormat
                                                             : DialogKind::SavePrompt;
        case FakeDesktop::Role::SaveDialog:
            return DialogKind::FileChooser;
        case FakeDesktop::Role::Document:
            break;
        }
        return DialogKind::Other;
    }
    bool pressSave(const DialogRef& ref) override {
        const FakeDesktop::Window* w = find(ref);
        desktop_.calls << QStringLiteral("pressSave @%1").arg(w ? w->id : 0);
        if (!w || w->role != FakeDesktop::Role::Prompt)
            return false;
        if (desktop_.window(w->document)->onClose == OnClose::AsksAndWaits)
            return true;
        desktop_.answerPrompt(w->id);
        return true;
    }
    bool fillFileName(const DialogRef& ref, const QString& path) override {
        const FakeDesktop::Window* w = find(ref);
        desktop_.calls << QStringLiteral("fill %1 @%2").arg(path).arg(w ? w->id : 0);
        if (!w || w->role != FakeDesktop::Role::SaveDialog)
            return false;
        desktop_.confirm(w->id, path);
        return true;
    }
    bool keepFormat(const DialogRef& ref) override {
        desktop_.calls << QStringLiteral("keepFormat @%1").arg(find(ref) ? find(ref)->id : 0);
        return false;
    }

private:
    const FakeDesktop::Window* find(const DialogRef& ref) {
        for (WindowId id : desktop_.clientWindows()) {
            const FakeDesktop::Window* w = desktop_.window(id);
            const FakeDesktop::Window* program = w->document ? desktop_.window(w->document) : w;
            if (w->pid == ref.process && w->title == ref.title && program && program->exposed)
                return w;
        }
        return nullptr;
    }

    using WindowId = brightlock::WindowId;
    FakeDesktop& desktop_;
};

} // namespace fakes

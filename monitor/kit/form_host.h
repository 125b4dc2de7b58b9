// FormHost: a window that several places open exists once. It is created on its first
// show, kept while it is loaded, and deleted when it is unloaded; the next show creates a
// fresh one. Unloading may be asked from inside the window's own handlers, so the window
// is hidden at once and deleted when control returns to the event loop.
#pragma once

#include <QPointer>
#include <functional>
#include <utility>

namespace brightlock {

template <class Form> class FormHost {
public:
    using Factory = std::function<Form*()>;

    explicit FormHost(Factory make = {}) : make_(std::move(make)) {}
    ~FormHost() { delete form_.data(); }
    FormHost(const FormHost&) = delete;
    FormHost& operator=(const FormHost&) = delete;

    void setFactory(Factory make) { make_ = std::move(make); }

    // The window, created first when it is not loaded (null without a factory).
    Form* load() {
        if (!form_ && make_)
            form_ = make_();
        return form_.data();
    }

    // Loads the window, shows it modeless and raises it.
    Form* show() {
        Form* f = load();
        if (f) {
            f->show();
            f->raise();
        }
        return f;
    }

    void unload() {
        if (!form_)
            return;
        Form* f = form_.data();
        form_ = nullptr;
        f->hide();
        f->deleteLater();
    }

    Form* form() const { return form_.data(); }

private:
    Factory make_;
    QPointer<Form> form_;
};

} // namespace brightlock

// Dialogs read and answered through libatspi (at-spi2-core). Each call looks the dialog up
// afresh: the applications on the bus whose process shows it, the top-level window of theirs
// that is this dialog, and a bounded walk of its tree. Every bus call has a time limit, so a
// program that hangs costs at most a few seconds.
// libatspi's headers (through GLib) come before Qt's, whose `signals` keyword they would break.
#include <atspi/atspi.h>

#include "atspi_bus.h"
#include "dialog_labels.h"
#include "dialog_reader.h"
#include "log_categories.h"

#include <QElapsedTimer>
#include <QVector>
#include <memory>
#include <vector>

BRIGHTLOCK_LOGGING_CATEGORY(lcDialogs, "brightlock.dialogs")

namespace brightlock {

namespace {

using atspi::plainLabel;

// Bounds of one walk of a dialog's tree: a file chooser's file list or a long list of
// documents is not read beyond these.
constexpr int kMostNodes = 600;
constexpr int kDeepest = 30;
constexpr int kMostChildrenOfList = 60;
constexpr int kLongestWalkMs = 4000;
// Milliseconds one bus call may take (and a program just starting, for its first call).
constexpr int kCallLimitMs = 1500;
constexpr int kStartupLimitMs = 3000;
// How long an answered dialog is watched while it goes away.
constexpr int kSettleMs = 2500;
constexpr int kSettleStepMs = 100;
constexpr int kBeforeConfirmMs = 400;

// A reference to an accessible object, released when it goes.
class Ref {
public:
    explicit Ref(AtspiAccessible* object = nullptr) : object_(object) {}
    ~Ref() {
        if (object_)
            g_object_unref(object_);
    }
    Ref(Ref&& other) noexcept : object_(other.object_) { other.object_ = nullptr; }
    Ref& operator=(Ref&& other) noexcept {
        std::swap(object_, other.object_);
        return *this;
    }
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;
    AtspiAccessible* get() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }

private:
    AtspiAccessible* object_;
};

// A GError to be dropped after a call: failures read as empty answers.
struct Error {
    GError* error = nullptr;
    ~Error() { clear(); }
    GError** operator&() {
        clear();
        return &error;
    }
    void clear() { g_clear_error(&error); }
    explicit operator bool() const { return error != nullptr; }
};

QString takeText(gchar* text) {
    const QString result = text ? QString::fromUtf8(text) : QString();
    g_free(text);
    return result;
}

struct Node {
    Ref object;
    AtspiRole role = ATSPI_ROLE_INVALID;
    QString name;
    bool showing = false;
    bool checked = false;
    bool focused = false;
    bool editable = false;
    bool active = false;
};

Node describe(AtspiAccessible* object) {
    Node node;
    node.object = Ref(static_cast<AtspiAccessible*>(g_object_ref(object)));
    Error error;
    node.role = atspi_accessible_get_role(object, &error);
    node.name = takeText(atspi_accessible_get_name(object, &error));
    if (AtspiStateSet* states = atspi_accessible_get_state_set(object)) {
        node.showing = atspi_state_set_contains(states, ATSPI_STATE_SHOWING);
        node.checked = atspi_state_set_contains(states, ATSPI_STATE_CHECKED);
        node.focused = atspi_state_set_contains(states, ATSPI_STATE_FOCUSED);
        node.editable = atspi_state_set_contains(states, ATSPI_STATE_EDITABLE);
        node.active = atspi_state_set_contains(states, ATSPI_STATE_ACTIVE);
        g_object_unref(states);
    }
    return node;
}

bool isButton(const Node& node) {
    return node.role == ATSPI_ROLE_PUSH_BUTTON;
}
bool isTextField(const Node& node) {
    return node.editable && (node.role == ATSPI_ROLE_TEXT || node.role == ATSPI_ROLE_ENTRY ||
                             node.role == ATSPI_ROLE_PASSWORD_TEXT);
}
bool isDialogRole(AtspiRole role) {
    return role == ATSPI_ROLE_DIALOG || role == ATSPI_ROLE_ALERT || role == ATSPI_ROLE_FILE_CHOOSER;
}

// The nodes of a dialog's tree, parents before children. Menus and table cells are not
// entered; lists and tables only when they are short. Where the toolkit says what is shown
// (the dialog itself is showing), hidden parts are passed over.
class Tree {
public:
    explicit Tree(AtspiAccessible* root) {
        clock_.start();
        Node top = describe(root);
        honourShowing_ = top.showing;
        walk(std::move(top), 0);
    }
    const QVector<Node*>& nodes() const { return order_; }

    // The first node that `take` accepts, shown ones before hidden ones; null when none.
    template <typename Take> Node* find(Take take) const {
        Node* hidden = nullptr;
        for (Node* node : order_)
            if (take(*node)) {
                if (node->showing)
                    return node;
                if (!hidden)
                    hidden = node;
            }
        return hidden;
    }

private:
    void walk(Node node, int depth) {
        if (int(order_.size()) >= kMostNodes || clock_.hasExpired(kLongestWalkMs) ||
            (honourShowing_ && !node.showing && depth > 0))
            return;
        AtspiAccessible* object = node.object.get();
        const AtspiRole role = node.role;
        kept_.push_back(std::make_unique<Node>(std::move(node)));
        order_.push_back(kept_.back().get());
        if (depth >= kDeepest || role == ATSPI_ROLE_MENU || role == ATSPI_ROLE_MENU_BAR ||
            role == ATSPI_ROLE_TABLE_CELL || role == ATSPI_ROLE_PUSH_BUTTON || role == ATSPI_ROLE_COMBO_BOX)
            return;
        Error error;
        const int count = atspi_accessible_get_child_count(object, &error);
        if (error)
            return;
        const bool list = role == ATSPI_ROLE_TABLE || role == ATSPI_ROLE_TREE_TABLE ||
                          role == ATSPI_ROLE_TREE || role == ATSPI_ROLE_LIST || role == ATSPI_ROLE_LIST_BOX;
        if (list && count > kMostChildrenOfList)
            return;
        for (int i = 0; i < count && int(order_.size()) < kMostNodes; ++i) {
            Ref child(atspi_accessible_get_child_at_index(object, i, &error));
            if (!child || error)
                continue;
            walk(describe(child.get()), depth + 1);
        }
    }

    bool honourShowing_ = false;
    QElapsedTimer clock_;
    std::vector<std::unique_ptr<Node>> kept_;
    QVector<Node*> order_;
};

// Performs the object's action that a click would: "click", "press", "toggle" or "activate",
// else its first. A call that runs out of time may still have been done: the program can
// answer late while it opens the next dialog.
bool doAction(const Node& node) {
    AtspiAction* action = atspi_accessible_get_action_iface(node.object.get());
    if (!action)
        return false;
    Error error;
    const int count = atspi_action_get_n_actions(action, &error);
    int chosen = count > 0 ? 0 : -1;
    for (int i = 0; i < count; ++i) {
        const QString name = takeText(atspi_action_get_action_name(action, i, &error)).toLower();
        if (name == QLatin1String("click") || name == QLatin1String("press") ||
            name == QLatin1String("toggle") || name == QLatin1String("activate")) {
            chosen = i;
            break;
        }
    }
    bool done = false;
    if (chosen >= 0) {
        done = atspi_action_do_action(action, chosen, &error);
        if (error) {
            qCInfo(lcDialogs) << "action on" << node.name << "gave" << error.error->message;
            done = true;
        }
    }
    g_object_unref(action);
    return done;
}

class AtspiDialogReader : public DialogReader {
public:
    AtspiDialogReader() { atspi_set_timeout(kCallLimitMs, kStartupLimitMs); }

    DialogKind read(const DialogRef& ref) override {
        Ref dialog = find(ref);
        if (!dialog)
            return DialogKind::Unreadable;
        const Tree tree(dialog.get());
        return kindOf(tree);
    }

    bool pressSave(const DialogRef& ref) override {
        Ref dialog = find(ref);
        if (!dialog)
            return false;
        const Tree tree(dialog.get());
        Node* save = tree.find([](const Node& n) { return isButton(n) && atspi::savesLabel(n.name); });
        if (!save)
            return false;
        tickEveryDocument(tree);
        qCInfo(lcDialogs) << "pressing" << save->name << "in" << ref.title;
        const bool pressed = doAction(*save);
        settle(dialog.get());
        return pressed;
    }

    bool fillFileName(const DialogRef& ref, const QString& path) override {
        Ref dialog = find(ref);
        if (!dialog)
            return false;
        const Tree tree(dialog.get());
        Node* field = tree.find([](const Node& n) { return isTextField(n) && n.focused; });
        if (!field)
            field = tree.find(isTextField);
        if (!field)
            return false;
        AtspiEditableText* editable = atspi_accessible_get_editable_text_iface(field->object.get());
        if (!editable)
            return false;
        Error error;
        const QByteArray bytes = path.toUtf8();
        const bool set = atspi_editable_text_set_text_contents(editable, bytes.constData(), &error);
        g_object_unref(editable);
        if (!set || error) {
            qCInfo(lcDialogs) << "the name field of" << ref.title << "took no text";
            return false;
        }
        if (!holds(*field, path)) {
            qCInfo(lcDialogs) << "the name field of" << ref.title << "does not hold the path";
            return false;
        }
        Node* confirm =
            tree.find([](const Node& n) { return isButton(n) && atspi::confirmsFileLabel(n.name); });
        // A file chooser looks the typed folder up before it takes a confirmation; one that
        // was confirmed too early is confirmed once more.
        g_usleep(kBeforeConfirmMs * 1000);
        qCInfo(lcDialogs) << "confirming" << path << "in" << ref.title;
        bool confirmed = confirm ? doAction(*confirm) : doAction(*field);
        if (!settle(dialog.get()) && confirmed) {
            qCInfo(lcDialogs) << ref.title << "is still open; confirming once more";
            confirmed = confirm ? doAction(*confirm) : doAction(*field);
            settle(dialog.get());
        }
        return confirmed;
    }

    bool keepFormat(const DialogRef& ref) override {
        Ref dialog = find(ref);
        if (!dialog)
            return false;
        const Tree tree(dialog.get());
        Node* keep = tree.find([](const Node& n) { return isButton(n) && atspi::keepsFormatLabel(n.name); });
        if (!keep)
            keep = tree.find([](const Node& n) { return isButton(n) && atspi::ownFormatLabel(n.name); });
        const bool kept = keep && doAction(*keep);
        settle(dialog.get());
        return kept;
    }

private:
    // Waits until the answered dialog has left the bus (or stopped showing); whether it did.
    static bool settle(AtspiAccessible* dialog) {
        const bool wasShowing = describe(dialog).showing;
        for (int waited = 0; waited < kSettleMs; waited += kSettleStepMs) {
            g_usleep(kSettleStepMs * 1000);
            Error error;
            AtspiStateSet* states = atspi_accessible_get_state_set(dialog);
            const bool gone = !states || atspi_state_set_contains(states, ATSPI_STATE_DEFUNCT) ||
                              (wasShowing && !atspi_state_set_contains(states, ATSPI_STATE_SHOWING));
            if (states)
                g_object_unref(states);
            const int index = atspi_accessible_get_index_in_parent(dialog, &error);
            if (gone || error || index < 0)
                return true;
        }
        return false;
    }

    static DialogKind kindOf(const Tree& tree) {
        const bool chooser =
            tree.find([](const Node& n) { return n.role == ATSPI_ROLE_FILE_CHOOSER; }) != nullptr;
        const bool field = tree.find(isTextField) != nullptr;
        const bool confirm = tree.find([](const Node& n) {
            return isButton(n) && atspi::confirmsFileLabel(n.name);
        }) != nullptr;
        if (field && (chooser || confirm))
            return DialogKind::FileChooser;
        if (tree.find([](const Node& n) { return isButton(n) && atspi::keepsFormatLabel(n.name); }))
            return DialogKind::KeepFormat;
        if (tree.find([](const Node& n) { return isButton(n) && atspi::savesLabel(n.name); }))
            return DialogKind::SavePrompt;
        return DialogKind::Other;
    }

    // A list of documents to save: "Select All" where the prompt has it, else every document
    // check box that is not ticked (never one that sets something for later).
    static void tickEveryDocument(const Tree& tree) {
        if (Node* all =
                tree.find([](const Node& n) { return isButton(n) && atspi::selectsAllLabel(n.name); })) {
            doAction(*all);
            return;
        }
        for (Node* node : tree.nodes())
            if (node->role == ATSPI_ROLE_CHECK_BOX && !node->checked && !atspi::settingLabel(node->name)) {
                qCInfo(lcDialogs) << "ticking" << node->name;
                doAction(*node);
            }
    }

    static bool holds(const Node& field, const QString& path) {
        AtspiText* text = atspi_accessible_get_text_iface(field.object.get());
        if (!text)
            return true; // nothing to check against
        Error error;
        const int length = atspi_text_get_character_count(text, &error);
        const QString held = takeText(atspi_text_get_text(text, 0, length, &error));
        g_object_unref(text);
        return error || held == path;
    }

    // The top-level window of the process that is the dialog: the one named as the window's
    // title (some toolkits add the application's name to the title: a name the title begins
    // with counts too), else the active dialog, else its only dialog.
    Ref find(const DialogRef& ref) {
        if (ref.process <= 0)
            return Ref();
        std::vector<Ref> windows;
        Ref desktop(atspi_get_desktop(0));
        Error error;
        const int apps = atspi_accessible_get_child_count(desktop.get(), &error);
        for (int i = 0; i < apps; ++i) {
            Ref app(atspi_accessible_get_child_at_index(desktop.get(), i, &error));
            if (!app || error)
                continue;
            if (qint64(atspi_accessible_get_process_id(app.get(), &error)) != ref.process || error)
                continue;
            const int count = atspi_accessible_get_child_count(app.get(), &error);
            for (int j = 0; j < count && !error; ++j)
                if (Ref window{atspi_accessible_get_child_at_index(app.get(), j, &error)})
                    windows.push_back(std::move(window));
        }
        std::vector<Node> described;
        for (const Ref& window : windows)
            described.push_back(describe(window.get()));
        const QString title = ref.title.trimmed();
        for (Node& node : described)
            if (!node.name.isEmpty() && node.name == title)
                return std::move(node.object);
        for (Node& node : described)
            if (!node.name.isEmpty() && isDialogRole(node.role) && title.startsWith(node.name))
                return std::move(node.object);
        for (Node& node : described)
            if (node.active && isDialogRole(node.role))
                return std::move(node.object);
        Node* only = nullptr;
        for (Node& node : described)
            if (isDialogRole(node.role)) {
                if (only)
                    return Ref();
                only = &node;
            }
        return only ? std::move(only->object) : Ref();
    }
};

} // namespace

std::unique_ptr<DialogReader> openDialogReader(QString& whyNot) {
    if (!atspi::switchAccessibilityOn(whyNot))
        return nullptr;
    if (atspi_init() < 0) {
        whyNot = QStringLiteral("libatspi could not be set up");
        return nullptr;
    }
    return std::make_unique<AtspiDialogReader>();
}

} // namespace brightlock

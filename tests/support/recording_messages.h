// A stand-in for the settings pages' message box: records each text and returns at once,
// as if the user had pressed "OK".
#pragma once

#include "message_port.h"

#include <QStringList>
#include <functional>

struct RecordingMessages : brightlock::MessagePort {
    QStringList texts;
    std::function<void(const QString&)> onMessage; // runs while the "box" is open

    void critical(const QString& text) override {
        texts << text;
        if (onMessage)
            onMessage(text);
    }
};

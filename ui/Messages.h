#pragma once
// Message boxes, and the guard through which every handler runs so that no exception
// crosses the event loop.

#include <QObject>
#include <QString>
#include <exception>

#include "data/Database.h"

namespace kov {

enum class Buttons { Ok, YesNo, YesNoCancel };
enum class Answer { Ok, Yes, No, Cancel };

// A modal box captioned "OK", "Da", "Nu", "Anulare".
Answer message(const QString& text, const QString& title, Buttons buttons = Buttons::Ok);
// A box that reports what went well: the information icon, captioned "OK".
void inform(const QString& text, const QString& title);

// The application's display for an error that no window handles.
void showDefaultError(const QString& text);
QString errorText(const std::exception& e);

// Runs an action; an error it raises goes to the default error display.
template <class Action>
void guarded(Action&& action) {
    try {
        action();
    } catch (const std::exception& e) {
        showDefaultError(errorText(e));
    }
}

// Runs an action; an error it raises shows the window's own message instead.
template <class Action>
bool guardedWith(const QString& text, const QString& title, Action&& action) {
    try {
        action();
        return true;
    } catch (const std::exception& e) {
        // The window's own words for the user; the cause stays where support finds it.
        traceEngineError(QStringLiteral("program"), QString::fromUtf8(e.what()));
        message(text, title);
        return false;
    }
}

// Connects a signal to a handler member (its arguments dropped) through the guard.
template <class Sender, class Signal, class Receiver>
void onEvent(Sender* sender, Signal signal, Receiver* receiver, void (Receiver::*handler)()) {
    QObject::connect(sender, signal, receiver,
                     [receiver, handler] { guarded([&] { (receiver->*handler)(); }); });
}

}  // namespace kov

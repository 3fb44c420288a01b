#pragma once
// Refusing what the user typed: a message, then the focus on the field to correct.

#include <QString>
#include <initializer_list>

class QWidget;

namespace kov {

// Shows the message under its title and moves the focus to the field, when there is one.
void refuse(const QString& text, const QString& title, QWidget* focus = nullptr);

// Refuses when the check failed and tells whether it did, so that checks chain with ||, each
// evaluated only after the ones before it passed.
bool refused(bool failed, const QString& text, const QString& title, QWidget* focus = nullptr);

// One input check, for a list of checks whose conditions can all be worked out at once.
struct Check {
    bool fails;
    QString text;
    QWidget* focus;
    QString title = QStringLiteral("Eroare!");
};
// True when every check passes; otherwise refuses the first that fails.
bool passes(std::initializer_list<Check> checks);

}  // namespace kov

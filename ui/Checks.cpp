#include "ui/Checks.h"

#include <QWidget>

#include "ui/Messages.h"

namespace kov {

void refuse(const QString& text, const QString& title, QWidget* focus) {
    message(text, title);
    if (focus) {
        focus->setFocus();
    }
}

bool refused(bool failed, const QString& text, const QString& title, QWidget* focus) {
    if (failed) {
        refuse(text, title, focus);
    }
    return failed;
}

bool passes(std::initializer_list<Check> checks) {
    for (const Check& check : checks) {
        if (refused(check.fails, check.text, check.title, check.focus)) {
            return false;
        }
    }
    return true;
}

}  // namespace kov

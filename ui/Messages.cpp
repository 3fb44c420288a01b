#include "ui/Messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "data/Database.h"
#include "data/Settings.h"

namespace kov {

namespace {

Answer show(const QString& text, const QString& title, Buttons buttons, QMessageBox::Icon icon) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title);
    box.setText(text);
    box.setIcon(icon);
    QAbstractButton* ok = nullptr;
    QAbstractButton* yes = nullptr;
    QAbstractButton* no = nullptr;
    if (buttons == Buttons::Ok) {
        ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.setEscapeButton(ok);
    } else {
        yes = box.addButton(QStringLiteral("Da"), QMessageBox::YesRole);
        no = box.addButton(QStringLiteral("Nu"), QMessageBox::NoRole);
        box.setEscapeButton(no);
        if (buttons == Buttons::YesNoCancel) {
            box.setEscapeButton(box.addButton(QStringLiteral("Anulare"), QMessageBox::RejectRole));
        }
    }
    box.exec();
    const QAbstractButton* clicked = box.clickedButton();
    if (clicked == ok) {
        return Answer::Ok;
    }
    if (clicked == yes) {
        return Answer::Yes;
    }
    return clicked == no ? Answer::No : Answer::Cancel;
}

}  // namespace

Answer message(const QString& text, const QString& title, Buttons buttons) {
    return show(text, title, buttons,
                buttons == Buttons::Ok ? QMessageBox::Warning : QMessageBox::Question);
}

void inform(const QString& text, const QString& title) {
    show(text, title, Buttons::Ok, QMessageBox::Information);
}

void showDefaultError(const QString& text) {
    message(text, QStringLiteral("Kovaline"));
}

QString errorText(const std::exception& e) {
    if (const auto* db = dynamic_cast<const DbError*>(&e)) {
        return db->message();
    }
    // Whatever else fails is a fault of the program: the user reads Romanian, support the cause.
    traceEngineError(QStringLiteral("program"), QString::fromUtf8(e.what()));
    return QStringLiteral("A aparut o eroare neprevazuta in program.");
}

}  // namespace kov

#include "documents/SettleWidgets.h"

#include <QComboBox>
#include <QDate>
#include <QDialog>
#include <QTreeWidget>

#include "books/Categories.h"
#include "ui/Messages.h"

namespace kov {

namespace {

// The question that ends each recording.
QString moreDocumentsQuestion(Document document) {
    return document == Document::Receipt ? QStringLiteral("Mai introduceti alte chitante?")
                                         : QStringLiteral("Mai introduceti alte ordine de plata?");
}

bool before(const QString& a, const QString& b) {
    const int folded = QString::compare(a, b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : QString::compare(a, b) < 0;
}

}  // namespace

QTreeWidgetItem* insertSorted(QTreeWidget* list, const QStringList& columns) {
    int at = 0;
    while (at < list->topLevelItemCount() &&
           !before(columns.value(0), list->topLevelItem(at)->text(0))) {
        ++at;
    }
    auto* row = new QTreeWidgetItem(columns);
    list->insertTopLevelItem(at, row);
    return row;
}

QTreeWidgetItem* findRow(const QTreeWidget* list, const QString& caption) {
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        if (list->topLevelItem(i)->text(0) == caption) {
            return list->topLevelItem(i);
        }
    }
    return nullptr;
}

QStringList captions(const QTreeWidget* list) {
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        out << list->topLevelItem(i)->text(0);
    }
    return out;
}

void fillCategories(QComboBox* combo, const Flow& flow, const QStringList& leading) {
    combo->clear();
    combo->addItems(leading);
    combo->addItems(categoryNames(flow.categoryKind));
}

bool anotherDocument(QDialog* window, Document document) {
    if (message(moreDocumentsQuestion(document), QString(), Buttons::YesNo) == Answer::Yes) {
        return true;
    }
    window->accept();
    return false;
}

}  // namespace kov

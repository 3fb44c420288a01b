#include "app/CompanyLists.h"

#include <QComboBox>
#include <QLineEdit>

#include "data/Query.h"
#include "data/Values.h"

CompanyLists::CompanyLists(QLineEdit* description, QComboBox* names, QComboBox* codes,
                           std::function<void(long long)> showVat)
    : description_(description), names_(names), codes_(codes), showVat_(std::move(showVat)) {}

namespace {

void load(QComboBox* list, const QString& sql, const QString& column) {
    kov::Query q;
    q.setSql(sql);
    q.open();
    for (; !q.eof(); q.next()) {
        list->addItem(q.fieldByName(column).asString());
    }
}

}  // namespace

void CompanyLists::fill() {
    names_->clear();
    codes_->clear();
    load(names_, QStringLiteral("select * from datefirma order by nume"), QStringLiteral("NUME"));
    load(codes_, QStringLiteral("select * from datefirma order by codfiscal"),
         QStringLiteral("CODFISCAL"));
    description_->clear();
    names_->setCurrentIndex(-1);
    codes_->setCurrentIndex(-1);
    names_->setEditText(QString());
    codes_->setEditText(QString());
}

void CompanyLists::pickName() {
    pick(QStringLiteral("nume"), names_, codes_, QStringLiteral("CODFISCAL"));
}

void CompanyLists::pickCode() {
    pick(QStringLiteral("codfiscal"), codes_, names_, QStringLiteral("NUME"));
}

void CompanyLists::pick(const QString& column, QComboBox* from, QComboBox* other,
                        const QString& otherColumn) {
    kov::Query q;
    q.setSql("select * from datefirma where " + column + "=" + kov::quoted(from->currentText()));
    q.open();
    if (q.eof()) {
        return;
    }
    description_->setText(q.fieldByName(QStringLiteral("DESCRIERE")).asString());
    const int index = other->findText(q.fieldByName(otherColumn).asString());
    if (index >= 0) {
        other->setCurrentIndex(index);
    }
    showVat_(q.fieldByName(QStringLiteral("TVA")).asInteger());
}

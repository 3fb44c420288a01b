#include "purchases/PurchaseParts.h"

#include <QComboBox>
#include <QDate>
#include <QDialog>
#include <QFocusEvent>
#include <QLineEdit>
#include <QRadioButton>

#include "ui/Globals.h"
#include "ui/Messages.h"
#include "data/Database.h"
#include "data/Query.h"
#include "data/Values.h"

namespace kov {

namespace {

class ExitFilter : public QObject {
  public:
    ExitFilter(QWidget* watched, std::function<void()> action)
        : QObject(watched), action_(std::move(action)) {
        watched->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::FocusOut) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
                guarded(action_);
            }
        }
        return false;
    }

  private:
    std::function<void()> action_;
};

void run(const QString& sql) {
    Query q;
    q.setSql(sql);
    q.execSql();
}

QString firstId(const QString& sql) {
    Query q;
    q.setSql(sql);
    q.open();
    return q.eof() ? QStringLiteral("0") : q.fieldByName(QStringLiteral("ID")).asString();
}

}  // namespace

void onExit(QWidget* widget, std::function<void()> action) {
    new ExitFilter(widget, std::move(action));
}

CategoryChoice::CategoryChoice(QRadioButton* yes, QRadioButton* no, QComboBox* list)
    : yes_(yes), no_(no), list_(list) {
    list_->setEditable(false);
}

void CategoryChoice::reload() {
    QStringList names;
    Query q;
    q.setSql(QStringLiteral("select * from defalcari where tip='c' order by denumire"));
    for (q.open(); !q.eof(); q.next()) {
        names << q.fieldByName(QStringLiteral("DENUMIRE")).asString();
    }
    list_->clear();
    list_->addItems(names);
}

void CategoryChoice::choose(bool yes) {
    (yes ? yes_ : no_)->setChecked(true);
    list_->setEnabled(yes);
    list_->setCurrentIndex(yes && list_->count() > 0 ? 0 : -1);
    shade(list_, yes ? Shade::Aqua : Shade::ButtonFace);
}

QString CategoryChoice::id() const {
    if (!yes_->isChecked() || list_->currentIndex() < 0) {
        return QStringLiteral("0");
    }
    return firstId("select * from defalcari where denumire=" + quoted(list_->currentText()) +
                   " and tip='c'");
}

QString categoryLike(const QString& pattern) {
    return firstId("select * from defalcari where denumire like " + quoted(pattern) +
                   " and tip='c'");
}

bool refuse(const char* text, QWidget* focus) {
    message(QString::fromLatin1(text), QStringLiteral("Eroare!"));
    focus->setFocus();
    return false;
}

bool passes(std::initializer_list<Check> checks) {
    for (const Check& check : checks) {
        if (check.fails) {
            return refuse(check.text, check.focus);
        }
    }
    return true;
}

bool isNumber(const QLineEdit* field) {
    return parseNumber(field->text()).has_value();
}

bool isDate(const QLineEdit* field) {
    return parseDate(field->text()).has_value();
}

void insertInvoice(const ReceivedInvoice& r) {
    run(QStringLiteral("insert into facturi (CODFISCAL,NRFACTURA,DATA,SUMA,FARATVA,PROCENTTVA,"
                       "TVA,PLATIT,RESTANT,CODCLIENT,FELFACTURA) values(") +
        quoted(SelectedFiscalCode) + u',' + quoted(r.number) + u',' + quoted(r.date) + u',' +
        r.total + u',' + r.net + u',' + r.rate + u',' + r.vat + u',' + r.paid + u',' +
        r.outstanding + u',' + quoted(r.supplier) + QStringLiteral(",'I')"));
}

void insertPayment(const Payment& r) {
    run(QStringLiteral("insert into operatiuni (CODFISCAL,DATA,NRDOC,FELOPERATIE,EXPLICATIE,"
                       "SUMA,FARATVA,BANCA,DEFALCARE,TIP,OBSERVATII,REGISTRU) values(") +
        quoted(SelectedFiscalCode) + u',' + quoted(r.date) + u',' + quoted(r.document) + u',' +
        quoted(r.operation) + QStringLiteral(",''") + u',' + r.total + u',' + r.net + u',' +
        QString::number(r.bank) + u',' + r.category + QStringLiteral(",'plata',") +
        quoted(r.remarks) + u',' + QString::number(r.inRegister) + u')');
}

void saveDocument(QDialog* window, const std::function<bool()>& check,
                  const std::function<void()>& write, const QString& question,
                  const std::function<void()>& reset) {
    if (!check()) {
        return;
    }
    {
        Transaction transaction;
        write();
        transaction.commit();
    }
    if (message(question, QString(), Buttons::YesNo) == Answer::Yes) {
        reset();
    } else {
        window->accept();
    }
}

}  // namespace kov

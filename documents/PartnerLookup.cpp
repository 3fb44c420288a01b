#include "documents/PartnerLookup.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QStringList>

#include "data/Query.h"
#include "data/Values.h"
#include "reference/Adaugfirma.h"
#include "ui/FocusExit.h"
#include "ui/Globals.h"
#include "ui/Input.h"
#include "ui/Messages.h"

namespace {

struct Column {
    const char* name;
    QString PartnerLookup::*member;
};

// The order in which every window reads a partner's row.
const Column kColumns[] = {
    {"COD", &PartnerLookup::COD},           {"CODFISCAL", &PartnerLookup::CODFISCAL},
    {"DENUMIRE", &PartnerLookup::DENUMIRE}, {"LOC", &PartnerLookup::LOC},
    {"JUDET", &PartnerLookup::JUDET},       {"CONTBANCA", &PartnerLookup::CONTBANCA},
    {"DENBANCA", &PartnerLookup::DENBANCA}, {"DELEGAT", &PartnerLookup::DELEGAT},
    {"BISERIA", &PartnerLookup::BISERIA},   {"BINR", &PartnerLookup::BINR},
    {"TRANS", &PartnerLookup::TRANS},       {"TRANSNR", &PartnerLookup::TRANSNR},
};

// Selects the first item equal to the value; a list without one keeps its selection.
void selectValue(QComboBox* list, const QString& value) {
    const int index = list->findText(value, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0) {
        list->setCurrentIndex(index);
    }
}

template <class Own>
std::function<void()> orOwn(const std::function<void()>& given, Own own) {
    return given ? given : std::function<void()>(own);
}

}  // namespace

PartnerLookup::PartnerLookup(const PartnerWidgets& widgets, PartnerLookupConfig config,
                             QObject* parent)
    : QObject(parent), w_(widgets), config_(std::move(config)) {
    if (w_.group) {
        w_.group->setTitle(config_.groupCaption);
    }
    for (QComboBox* list : {w_.ComboBox2, w_.ComboBox3, w_.ComboBox4}) {
        list->setEditable(false);
        list->setMaxVisibleItems(10);
        kov::setAqua(list);
    }
    exits_ = {[this] { ComboBox2Exit(); }, [this] { ComboBox3Exit(); },
              [this] { ComboBox4Exit(); }};
}

void PartnerLookup::connectHandlers(const PartnerHandlers& h) {
    exits_ = {orOwn(h.ComboBox2Exit, [this] { ComboBox2Exit(); }),
              orOwn(h.ComboBox3Exit, [this] { ComboBox3Exit(); }),
              orOwn(h.ComboBox4Exit, [this] { ComboBox4Exit(); })};
    const std::pair<QComboBox*, std::function<void()>> changes[] = {
        {w_.ComboBox2, orOwn(h.ComboBox2Change, [this] { ComboBox2Change(); })},
        {w_.ComboBox3, orOwn(h.ComboBox3Change, [this] { ComboBox3Change(); })},
        {w_.ComboBox4, orOwn(h.ComboBox4Change, [this] { ComboBox4Change(); })},
    };
    for (size_t i = 0; i < std::size(changes); ++i) {
        QComboBox* list = changes[i].first;
        kov::onExit(
            list,
            [this, list, i] {
                // The drop-down may take the keyboard focus for itself while it is open.
                if (!busy_ && !list->view()->isVisible()) {
                    exits_[i]();
                }
            },
            this);
        connect(list, &QComboBox::activated, this,
                [handler = changes[i].second] { kov::guarded(handler); });
    }
    const auto button2 = orOwn(h.Button2Click, [this] { Button2Click(); });
    connect(w_.Button2, &QPushButton::clicked, this, [button2] { kov::guarded(button2); });
    if (w_.Button3) {
        const auto button3 = orOwn(h.Button3Click, [this] { Button3Click(); });
        connect(w_.Button3, &QPushButton::clicked, this, [button3] { kov::guarded(button3); });
    }
}

void PartnerLookup::load() {
    // Read all three first, so that a failure leaves the lists as they were.
    QStringList items[3];
    const std::pair<const char*, const char*> lists[] = {
        {"cod", "COD"}, {"codfiscal", "CODFISCAL"}, {"denumire", "DENUMIRE"}};
    kov::Query q;
    for (int i = 0; i < 3; ++i) {
        q.setSql(QStringLiteral("select * from firme order by ") + QLatin1String(lists[i].first));
        q.open();
        for (; !q.eof(); q.next()) {
            items[i] << q.fieldByName(QLatin1String(lists[i].second)).asString();
        }
    }
    q.close();
    QComboBox* combos[] = {w_.ComboBox2, w_.ComboBox3, w_.ComboBox4};
    for (int i = 0; i < 3; ++i) {
        combos[i]->clear();
        combos[i]->addItems(items[i]);
        combos[i]->setCurrentIndex(-1);
    }
}

void PartnerLookup::clearDetails() {
    for (const Column& c : kColumns) {
        if (c.member != &PartnerLookup::COD) {
            this->*c.member = QString();
        }
    }
}

void PartnerLookup::setListsEnabled(bool enabled) {
    if (!config_.canDisable) {
        return;
    }
    QWidget* widgets[] = {w_.ComboBox2, w_.ComboBox3, w_.ComboBox4, w_.Button2,
                          w_.Button3,   w_.labels[0], w_.labels[1], w_.labels[2]};
    for (QWidget* widget : widgets) {
        if (widget) {
            widget->setEnabled(enabled);
        }
    }
    if (!enabled) {
        for (QComboBox* list : {w_.ComboBox2, w_.ComboBox3, w_.ComboBox4}) {
            list->setCurrentIndex(-1);
        }
    }
}

void PartnerLookup::ComboBox2Exit() {
    lookup(w_.ComboBox2, QStringLiteral("cod"));
}

void PartnerLookup::ComboBox3Exit() {
    lookup(w_.ComboBox3, QStringLiteral("codfiscal"));
}

void PartnerLookup::ComboBox4Exit() {
    lookup(w_.ComboBox4, QStringLiteral("denumire"));
}

void PartnerLookup::lookup(QComboBox* list, const QString& column) {
    if (list->count() == 0) {
        return;
    }
    kov::Query q;
    q.setSql("select * from firme where " + column + "=" + kov::quoted(list->currentText()));
    q.open();
    if (!q.eof()) {
        // The name lookup also rewrites the name: all twelve come from the row found.
        const QString own = column == QLatin1String("denumire") ? QString() : column.toUpper();
        for (const Column& c : kColumns) {
            if (own != QLatin1String(c.name)) {
                this->*c.member = q.fieldByName(QLatin1String(c.name)).asString();
            }
        }
        const std::pair<QComboBox*, const QString*> lists[] = {
            {w_.ComboBox2, &COD}, {w_.ComboBox3, &CODFISCAL}, {w_.ComboBox4, &DENUMIRE}};
        for (const auto& [other, value] : lists) {
            if (other != list) {
                selectValue(other, *value);
            }
        }
    }
    q.close();
    moveFocus(config_.lookupFocus);
}

// The lookup's own focus moves are not the user leaving a list: no second lookup.
void PartnerLookup::moveFocus(QWidget* target) {
    if (target) {
        QScopedValueRollback<bool> busy(busy_, true);
        target->setFocus();
    }
}

void PartnerLookup::Button2Click() {
    TFormAdaugareFirma* dialog = FormAdaugareFirma;
    dialog->AddMode = true;
    if (dialog->exec() != QDialog::Accepted) {
        return;
    }
    load();
    const int index =
        w_.ComboBox2->findText(dialog->NewPartnerCode, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0) {
        w_.ComboBox2->setCurrentIndex(index);
        exits_[0]();
    }
    moveFocus(config_.addFocus);
}

void PartnerLookup::Button3Click() {
    TFormAdaugareFirma* dialog = FormAdaugareFirma;
    dialog->ui.Edit1->setText(w_.ComboBox2->currentText());
    dialog->AddMode = false;
    dialog->exec();
}

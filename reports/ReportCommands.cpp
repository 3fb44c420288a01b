#include "reports/ReportCommands.h"

#include "ui/Globals.h"
#include "ui/Progress.h"
#include "data/Query.h"
#include "data/Values.h"
#include "reports/Selectluna.h"

namespace kov::reports {

Company selectedCompany() {
    Query q;
    q.setSql("select * from datefirma where codfiscal=" + quoted(SelectedFiscalCode));
    q.open();
    Company company;
    if (!q.eof()) {
        company.description = q.fieldByName(QStringLiteral("DESCRIERE")).asString();
        company.name = q.fieldByName(QStringLiteral("NUME")).asString();
        company.vatPayer = q.fieldByName(QStringLiteral("TVA")).asInteger() == 1;
    }
    return company;
}

Company captionCompany(report::ReportForm& form, const QString& descriptionLabel,
                       const QString& nameLabel) {
    Company company = selectedCompany();
    form.setCaption(descriptionLabel, company.description);
    form.setCaption(nameLabel, company.name);
    return company;
}

bool askMonth(Month& month) {
    if (FormSelectLuna->exec() != 1) {
        return false;
    }
    month.month = FormSelectLuna->SelectedMonth;
    month.year = FormSelectLuna->SelectedYear;
    month.caption = FormSelectLuna->ui.ComboBox1->currentText() + u' ' +
                    FormSelectLuna->ui.ComboBox2->currentText();
    return true;
}

QString inMonth(int month, int year) {
    return QStringLiteral(" and month(data)=%1 and year(data)=%2").arg(month).arg(year);
}

void emptyTable(const QString& statement) {
    Query q;
    q.setSql(statement);
    q.execSql();
}

ProgressShown::ProgressShown(const QString& text) {
    FormProgress->setText(text);
    FormProgress->setMaximum(0);
    FormProgress->setPosition(0);
    FormProgress->show();
}

ProgressShown::~ProgressShown() {
    FormProgress->hide();
}

void ProgressShown::setMaximum(int maximum) {
    FormProgress->setMaximum(maximum);
}

void ProgressShown::step() {
    FormProgress->step();
}

bool previewReport(report::ReportForm& form, bool modal) {
    form.query().open();
    struct Closer {
        report::ReportForm& form;
        ~Closer() { form.query().close(); }
    } closer{form};
    if (form.query().recordCount() == 0) {
        return false;
    }
    return modal ? form.previewModal() : form.preview();
}

}  // namespace kov::reports

#include "reports/ReportCommands.h"

#include "reports/Selectluna.h"
#include "ui/Globals.h"
#include "ui/Progress.h"

namespace kov::reports {

CompanyHeader captionCompany(report::ReportForm& form, const QString& descriptionLabel,
                             const QString& nameLabel) {
    CompanyHeader company = companyHeader(SelectedFiscalCode);
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

int withProgress(const QString& text, const std::function<int(const FillProgress&)>& fill) {
    struct Window {
        bool shown = false;
        ~Window() {
            if (shown) {
                FormProgress->hide();
            }
        }
    } window;
    return fill([&](int done, int total) {
        if (!window.shown) {
            FormProgress->setText(text);
            FormProgress->setMaximum(0);
            FormProgress->setPosition(0);
            FormProgress->show();
            FormProgress->setMaximum(total);
            window.shown = true;
        }
        if (done != FormProgress->position()) {
            FormProgress->setPosition(done);
        }
    });
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

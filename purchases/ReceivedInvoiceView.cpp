#include "purchases/ReceivedInvoiceView.h"

#include <QDialog>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "data/Values.h"

namespace {

QString cell(const QString& text, bool right = false) {
    return (right ? QStringLiteral("<td align=right>") : QStringLiteral("<td>")) +
           text.toHtmlEscaped() + QStringLiteral("</td>");
}

QString party(const QString& caption, const kov::efactura::ReceivedParty& p) {
    return QStringLiteral("<p><b>%1:</b> %2<br>Cod fiscal: %3 %4<br>%5, %6, %7%8</p>")
        .arg(caption, p.name.toHtmlEscaped(), p.fiscalCode.toHtmlEscaped(),
             p.registration.toHtmlEscaped(), p.street.toHtmlEscaped(), p.locality.toHtmlEscaped(),
             p.county.toHtmlEscaped(),
             p.iban.isEmpty() ? QString() : QStringLiteral("<br>IBAN: ") + p.iban.toHtmlEscaped());
}

QString page(const kov::efactura::ReceivedInvoice& invoice) {
    QString html =
        QStringLiteral("<h2>%1 %2 din %3</h2>")
            .arg(invoice.creditNote ? QStringLiteral("Factura storno") : QStringLiteral("Factura"),
                 invoice.number.toHtmlEscaped(), kov::formatDate(invoice.date));
    html += party(QStringLiteral("Furnizor"), invoice.supplier) +
            party(QStringLiteral("Cumparator"), invoice.buyer);
    html += QStringLiteral(
                "<table border=1 cellspacing=0 cellpadding=3><tr><th>Nr.</th>"
                "<th>Denumire</th><th>U.M.</th><th>Cantitate</th><th>Pret</th>"
                "<th>Valoare (%1)</th><th>Cota TVA</th></tr>")
                .arg(invoice.currency.toHtmlEscaped());
    int n = 0;
    for (const auto& line : invoice.lines) {
        html += QStringLiteral("<tr>") + cell(QString::number(++n), true) + cell(line.text) +
                cell(line.unit) + cell(kov::plainNumber(line.quantity), true) +
                cell(kov::formatAmount(line.price), true) +
                cell(kov::formatAmount(line.value), true) +
                cell(kov::plainNumber(line.rate) + u'%', true) + QStringLiteral("</tr>");
    }
    html += QStringLiteral(
        "</table><p><b>Pe cote de TVA (lei):</b></p><table border=1 "
        "cellspacing=0 cellpadding=3><tr><th>Cota</th><th>Baza</th>"
        "<th>TVA</th></tr>");
    for (const auto& rate : invoice.rates) {
        html += QStringLiteral("<tr>") + cell(kov::plainNumber(rate.rate) + u'%', true) +
                cell(kov::formatAmount(rate.base), true) + cell(kov::formatAmount(rate.vat), true) +
                QStringLiteral("</tr>");
    }
    html += QStringLiteral(
                "</table><p>Total fara TVA: %1 lei<br>TVA: %2 lei<br><b>Total: %3 "
                "lei</b></p>")
                .arg(kov::formatAmount(invoice.net), kov::formatAmount(invoice.vat),
                     kov::formatAmount(invoice.total));
    return html;
}

}  // namespace

void showReceivedInvoice(const kov::efactura::ReceivedInvoice& invoice, QWidget* parent) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("FormVizualizareFactura"));
    dialog.setWindowTitle(QStringLiteral("Factura primita"));
    dialog.resize(760, 640);
    auto* layout = new QVBoxLayout(&dialog);
    auto* view = new QTextBrowser(&dialog);
    view->setHtml(page(invoice));
    layout->addWidget(view);
    auto* close = new QPushButton(QStringLiteral("Inchidere"), &dialog);
    QObject::connect(close, &QPushButton::clicked, &dialog, &QDialog::accept);
    layout->addWidget(close, 0, Qt::AlignRight);
    dialog.exec();
}

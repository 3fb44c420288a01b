#include "books/InvoiceDocument.h"

#include <algorithm>

#include "books/VatExemption.h"
#include "data/Query.h"
#include "data/Values.h"
#include "data/Vat.h"

namespace kov {

namespace {

QString text(const Query& q, const char* column) {
    return q.eof() ? QString() : q.fieldByName(QLatin1String(column)).asString();
}

// A supplier outside VAT says why it charges none.
const char kSmallEnterprise[] =
    "Furnizor neinregistrat in scopuri de TVA: regim special de scutire pentru intreprinderile "
    "mici (art. 310 Cod fiscal)";

QString receiptMention(const QString& receipt, const QDate& date) {
    return QStringLiteral("Achitat cu chitanta nr. %1 din %2")
        .arg(receipt, date.toString(QStringLiteral("dd.MM.yyyy")));
}

// The mentions of an invoice of this supplier at this rate and basis, with its receipt.
QStringList mentionsOf(bool vatPayer, double rate, const QString& basis, const QString& receipt,
                       const QDate& date) {
    QStringList out;
    if (!vatPayer) {
        out << QString::fromLatin1(kSmallEnterprise);
    } else if (cents(rate) == 0) {
        const ExemptionBasis b = exemptionBasis(basis);
        out << (b == ExemptionBasis::None ? QStringLiteral("Scutit de TVA") : exemptionMention(b));
    }
    if (!receipt.isEmpty()) {
        out << receiptMention(receipt, date);
    }
    return out;
}

InvoiceLine oneLine(const QString& text, double net, double rate, double vat) {
    InvoiceLine line;
    line.text = text;
    line.unitPrice = net;
    line.value = net;
    line.rate = rate;
    line.vat = vat;
    return line;
}

}  // namespace

void sumLines(InvoiceDocument& d) {
    d.rates.clear();
    d.net = d.vat = 0;
    for (const InvoiceLine& line : d.lines) {
        auto it = std::find_if(d.rates.begin(), d.rates.end(), [&](const RateTotal& r) {
            return cents(r.rate) == cents(line.rate);
        });
        if (it == d.rates.end()) {
            d.rates.push_back({line.rate, 0, 0});
            it = d.rates.end() - 1;
        }
        it->base += line.value;
        it->vat += line.vat;
        d.net += line.value;
        d.vat += line.vat;
    }
    d.total = d.net + d.vat;
}

QString printedFiscalCode(const InvoiceParty& party) {
    const QString code = party.fiscalCode.trimmed();
    if (party.person || !party.vatPayer ||
        code.startsWith(QLatin1String("RO"), Qt::CaseInsensitive)) {
        return code;
    }
    return QStringLiteral("RO") + code;
}

QString identityText(const QString& series, const QString& number, const QString& issuedBy) {
    if (series.isEmpty() && number.isEmpty()) {
        return QString();
    }
    QString out = QStringLiteral("B.I./C.I. seria %1 nr. %2").arg(series, number);
    if (!issuedBy.isEmpty()) {
        out += QStringLiteral(", eliberat de ") + issuedBy;
    }
    return out;
}

InvoiceParty ownCompanyParty(const QString& company) {
    Query q;
    q.setSql("select * from datefirma where codfiscal=" + quoted(company));
    q.open();
    InvoiceParty p;
    p.fiscalCode = company;
    // Without its row the company is taken for a VAT payer, as it is registered by default.
    p.vatPayer = q.eof() || q.fieldByName(QStringLiteral("TVA")).asInteger() == 1;
    p.name = text(q, "NUME");
    p.registration = text(q, "NRJ");
    p.address = text(q, "SEDIU");
    p.locality = text(q, "LOC");
    p.county = text(q, "JUDET");
    p.iban = text(q, "CONT");
    p.bank = text(q, "BANCA");
    return p;
}

PartnerParty partnerParty(const QString& code) {
    Query q;
    q.setSql("select * from firme where cod=" + quoted(code));
    q.open();
    PartnerParty out;
    InvoiceParty& p = out.party;
    p.name = text(q, "DENUMIRE");
    p.fiscalCode = text(q, "CODFISCAL");
    p.vatPayer = p.fiscalCode.trimmed().startsWith(QLatin1String("RO"), Qt::CaseInsensitive);
    p.address = text(q, "ADRESA");
    p.locality = text(q, "LOC");
    p.county = text(q, "JUDET");
    p.iban = text(q, "CONTBANCA");
    p.bank = text(q, "DENBANCA");
    out.delegate = text(q, "DELEGAT");
    out.identity = identityText(text(q, "BISERIA"), text(q, "BINR"), text(q, "BIELIB"));
    out.transport = text(q, "TRANSNR");
    return out;
}

namespace {

InvoiceDocument documentOf(const QString& company, const PendingInvoice& p, const QDate& date,
                           double net, double rate, double vat, double total) {
    InvoiceDocument d;
    d.number = p.number;
    d.date = date;
    d.supplier = ownCompanyParty(company);
    if (p.person) {
        d.client.person = true;
        d.client.name = p.person->name;
        d.client.fiscalCode = p.person->cnp;
        d.client.address = p.person->address;
        d.client.locality = p.person->locality;
        d.client.county = p.person->county;
    } else {
        PartnerParty partner = partnerParty(p.clientCode);
        d.client = partner.party;
        d.delegate = partner.delegate;
        d.identity = partner.identity;
        d.transport = partner.transport;
    }
    d.lines.push_back(oneLine(p.lineText, net, rate, vat));
    sumLines(d);
    d.total = total;  // as recorded: a typed total may differ from the sum by a rounding cent
    d.mentions = mentionsOf(d.supplier.vatPayer, rate, p.basis,
                            p.receipt ? p.receiptNumber : QString(), date);
    return d;
}

}  // namespace

InvoiceDocument issuedInvoiceDocument(const QString& company, const PendingInvoice& p,
                                      const QString& personIdentity) {
    InvoiceDocument d =
        documentOf(company, p, parseDate(p.date).value_or(QDate()), parseNumber(p.net).value_or(0),
                   parseRate(p.rate).value_or(0), parseNumber(p.vat).value_or(0),
                   parseNumber(p.total).value_or(0));
    if (p.person) {
        d.delegate = p.person->name;
        d.identity = personIdentity;
    }
    return d;
}

std::optional<InvoiceDocument> recordedInvoiceDocument(const QString& company, long long id) {
    Query q;
    q.setSql("select * from facturi where rowid=" + QString::number(id) +
             " and codfiscal=" + quoted(company) + " and felfactura='E'");
    q.open();
    if (q.eof()) {
        return std::nullopt;
    }
    PendingInvoice p;
    p.number = text(q, "NRFACTURA");
    p.clientCode = text(q, "CODCLIENT");
    p.lineText = text(q, "EXPLICATIE");
    p.basis = text(q, "TEMEI");
    // A person invoiced is kept with the invoice; older invoices keep only the "PF " code.
    Query partner;
    partner.setSql("select * from firme where cod=" + quoted(p.clientCode));
    partner.open();
    if (!text(q, "NUMEPF").isEmpty() || !text(q, "CNPPF").isEmpty() ||
        (partner.eof() && p.clientCode.startsWith(QLatin1String("PF ")))) {
        const QString cnp = text(q, "CNPPF");
        p.person = InvoicedPerson{text(q, "NUMEPF"), text(q, "ADRESAPF"), text(q, "LOCPF"),
                                  text(q, "JUDETPF"), cnp.isEmpty() ? p.clientCode.mid(3) : cnp};
    }
    // The receipt issued with invoice N is the collection "F.N + CH.M".
    const QString prefix = "F." + p.number + " + CH.";
    Query receipt;
    receipt.setSql("select NRDOC, FELOPERATIE from operatiuni where codfiscal=" + quoted(company) +
                   " and tip='incasare' and substr(nrdoc,1,length(" + quoted(prefix) +
                   "))=" + quoted(prefix));
    receipt.open();
    if (!receipt.eof()) {
        p.receipt = true;
        p.receiptNumber = text(receipt, "NRDOC").mid(prefix.size());
        if (p.lineText.isEmpty()) {
            p.lineText = text(receipt, "FELOPERATIE");
        }
    }
    const auto number = [&q](const char* column) {
        return q.fieldByName(QLatin1String(column)).asFloat();
    };
    InvoiceDocument d =
        documentOf(company, p, q.fieldByName(QStringLiteral("DATA")).asDate(), number("FARATVA"),
                   number("PROCENTTVA"), number("TVA"), number("SUMA"));
    if (p.person) {
        d.delegate = p.person->name;
    }
    return d;
}

QString recordedExemptionCode(const QString& company, long long id) {
    Query q;
    q.setSql("select TEMEI from facturi where rowid=" + QString::number(id) +
             " and codfiscal=" + quoted(company));
    q.open();
    return text(q, "TEMEI");
}

void setExemptionBasis(const QString& company, long long id, const QString& code) {
    Query q;
    q.setSql("update facturi set TEMEI=" + quoted(code) + " where rowid=" + QString::number(id) +
             " and codfiscal=" + quoted(company) + " and felfactura='E'");
    q.execSql();
}

}  // namespace kov

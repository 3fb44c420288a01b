#include "efactura/ReceivedFile.h"

#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>
#include <algorithm>
#include <map>

#include "books/ReceivedInvoices.h"
#include "data/Values.h"
#include "efactura/Counties.h"
#include "efactura/UblNames.h"
#include "efactura/Zip.h"

namespace kov::efactura {

namespace {

const QString kSignatureNs = QStringLiteral("http://www.w3.org/2000/09/xmldsig#");

const QString kTooLarge = QStringLiteral("fisierul depaseste 10 MB");

ReadFile refused(const QString& reason) {
    return {std::nullopt, reason, {}, {}};
}

// The file as a tree of elements: small enough (10 MB at most) to hold whole.
struct Node {
    QString ns, name, text;
    QXmlStreamAttributes attributes;
    std::vector<Node> children;
};

// Thrown while the tree is read; becomes the file's reason.
struct Refused {
    QString reason;
};

[[noreturn]] void refuse(const QString& reason) {
    throw Refused{reason};
}

[[noreturn]] void schemaFault(const QString& what) {
    refuse(QStringLiteral("factura nu respecta schema UBL (%1)").arg(what));
}

Node readTree(const QByteArray& xml) {
    QXmlStreamReader reader(xml);
    std::vector<Node> open;
    Node root;
    bool seenRoot = false;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
            case QXmlStreamReader::DTD:
            case QXmlStreamReader::EntityReference:
                refuse(QStringLiteral("fisierul declara DOCTYPE sau entitati (refuzat)"));
            case QXmlStreamReader::StartElement:
                open.push_back(Node{reader.namespaceUri().toString(),
                                    reader.name().toString(),
                                    {},
                                    reader.attributes(),
                                    {}});
                break;
            case QXmlStreamReader::Characters:
                if (!open.empty()) {
                    open.back().text += reader.text();
                }
                break;
            case QXmlStreamReader::EndElement: {
                Node done = std::move(open.back());
                open.pop_back();
                done.text = done.text.trimmed();
                if (open.empty()) {
                    root = std::move(done);
                    seenRoot = true;
                } else {
                    open.back().children.push_back(std::move(done));
                }
                break;
            }
            default:
                break;
        }
    }
    if (reader.hasError() || !seenRoot) {
        refuse(QStringLiteral("nu este un fisier XML"));
    }
    return root;
}

// "cac:Party/cbc:Name": the first element of that path, or nullptr.
const Node* find(const Node& from, const QString& path) {
    const Node* at = &from;
    for (const QString& step : path.split(u'/')) {
        const QString ns = step.startsWith(QLatin1String("cac:")) ? kCac : kCbc;
        const QString name = step.mid(4);
        const auto it = std::find_if(at->children.begin(), at->children.end(),
                                     [&](const Node& c) { return c.name == name && c.ns == ns; });
        if (it == at->children.end()) {
            return nullptr;
        }
        at = &*it;
    }
    return at;
}

std::vector<const Node*> all(const Node& from, const QString& step) {
    const QString ns = step.startsWith(QLatin1String("cac:")) ? kCac : kCbc;
    const QString name = step.mid(4);
    std::vector<const Node*> out;
    for (const Node& c : from.children) {
        if (c.name == name && c.ns == ns) {
            out.push_back(&c);
        }
    }
    return out;
}

QString text(const Node& from, const QString& path) {
    const Node* n = find(from, path);
    return n ? n->text : QString();
}

const Node& required(const Node& from, const QString& path) {
    const Node* n = find(from, path);
    if (!n || (n->children.empty() && n->text.isEmpty())) {
        schemaFault(QStringLiteral("lipseste ") + path);
    }
    return *n;
}

double amountOf(const Node& node, const QString& what) {
    const auto value = parseNumber(node.text);
    if (!value) {
        schemaFault(what + QStringLiteral(" nu este o suma"));
    }
    return *value;
}

double amount(const Node& from, const QString& path) {
    return amountOf(required(from, path), path);
}

double optionalAmount(const Node& from, const QString& path) {
    const Node* n = find(from, path);
    return n ? amountOf(*n, path) : 0.0;
}

bool sameCents(double a, double b) {
    return cents(a) == cents(b);
}

ReceivedParty partyOf(const Node& party) {
    ReceivedParty p;
    p.name = text(party, QStringLiteral("cac:PartyLegalEntity/cbc:RegistrationName"));
    if (p.name.isEmpty()) {
        p.name = text(party, QStringLiteral("cac:PartyName/cbc:Name"));
    }
    if (p.name.isEmpty()) {
        schemaFault(QStringLiteral("lipseste denumirea unei parti"));
    }
    const QString vatCode = text(party, QStringLiteral("cac:PartyTaxScheme/cbc:CompanyID"));
    const QString legalCode = text(party, QStringLiteral("cac:PartyLegalEntity/cbc:CompanyID"));
    p.fiscalCode = !vatCode.isEmpty() ? vatCode
                   : !legalCode.isEmpty()
                       ? legalCode
                       : text(party, QStringLiteral("cac:PartyIdentification/cbc:ID"));
    if (!vatCode.isEmpty() && bareFiscalCode(legalCode) != bareFiscalCode(vatCode)) {
        p.registration = legalCode;
    }
    if (const Node* address = find(party, QStringLiteral("cac:PostalAddress"))) {
        p.street = text(*address, QStringLiteral("cbc:StreetName"));
        const QString more = text(*address, QStringLiteral("cbc:AdditionalStreetName"));
        if (!more.isEmpty()) {
            p.street += u' ' + more;
        }
        p.locality = text(*address, QStringLiteral("cbc:CityName"));
        p.county = countyName(text(*address, QStringLiteral("cbc:CountrySubentity")), p.locality);
    }
    return p;
}

// The root's kind: "Invoice" or "CreditNote" of the UBL namespaces, nothing else.
bool isCreditNoteRoot(const Node& root) {
    if (root.name == QLatin1String("Invoice") && root.ns == kInvoiceNs) {
        return false;
    }
    if (root.name == QLatin1String("CreditNote") && root.ns == kCreditNoteNs) {
        return true;
    }
    refuse(QStringLiteral("nu este o factura"));
}

// The per-rate breakdown of the tax total in the invoice's currency; a rate named twice (an
// exempt and a zero-rated category) is one.
std::vector<RateAmounts> breakdown(const Node& taxTotal) {
    std::map<double, RateAmounts> byRate;
    for (const Node* sub : all(taxTotal, QStringLiteral("cac:TaxSubtotal"))) {
        required(*sub, QStringLiteral("cac:TaxCategory/cbc:ID"));
        const double rate = optionalAmount(*sub, QStringLiteral("cac:TaxCategory/cbc:Percent"));
        RateAmounts& r = byRate[rate];
        r.rate = rate;
        r.base += amount(*sub, QStringLiteral("cbc:TaxableAmount"));
        r.vat += amount(*sub, QStringLiteral("cbc:TaxAmount"));
    }
    if (byRate.empty()) {
        schemaFault(QStringLiteral("lipseste cac:TaxSubtotal"));
    }
    std::vector<RateAmounts> out;
    for (const auto& [rate, r] : byRate) {
        out.push_back(r);
    }
    return out;
}

// The tax total given in a currency, or nullptr.
const Node* taxTotalIn(const Node& root, const QString& currency) {
    for (const Node* total : all(root, QStringLiteral("cac:TaxTotal"))) {
        const Node* amountNode = find(*total, QStringLiteral("cbc:TaxAmount"));
        if (amountNode && amountNode->attributes.value(QStringLiteral("currencyID")) == currency) {
            return total;
        }
    }
    return nullptr;
}

// Amounts of a foreign-currency invoice in lei, at the rate its VAT total in lei implies. The
// cents that rounding each rate leaves go to the largest base, so the VAT is the file's.
void convert(ReceivedInvoice& invoice, double ronVat) {
    if (sameCents(invoice.vat, 0)) {
        refuse(QStringLiteral("lipseste totalul TVA in lei"));
    }
    const double factor = ronVat / invoice.vat;
    double net = 0, vat = 0;
    for (RateAmounts& r : invoice.rates) {
        r.base = roundAmount(r.base * factor);
        r.vat = roundAmount(r.vat * factor);
        net += r.base;
        vat += r.vat;
    }
    auto largest = std::max_element(
        invoice.rates.begin(), invoice.rates.end(),
        [](const RateAmounts& a, const RateAmounts& b) { return a.base < b.base; });
    largest->vat = roundAmount(largest->vat + ronVat - vat);
    invoice.net = roundAmount(net);
    invoice.vat = roundAmount(ronVat);
    invoice.total = roundAmount(invoice.net + invoice.vat);
}

ReceivedInvoice invoiceOf(const Node& root) {
    ReceivedInvoice invoice;
    invoice.creditNote = isCreditNoteRoot(root);
    const QString prefix =
        invoice.creditNote ? QStringLiteral("CreditNote") : QStringLiteral("Invoice");
    invoice.number = required(root, QStringLiteral("cbc:ID")).text;
    invoice.date =
        QDate::fromString(required(root, QStringLiteral("cbc:IssueDate")).text, Qt::ISODate);
    if (!invoice.date.isValid()) {
        schemaFault(QStringLiteral("cbc:IssueDate nu este o data"));
    }
    invoice.typeCode = required(root, "cbc:" + prefix + "TypeCode").text;
    invoice.creditNote = invoice.creditNote || invoice.typeCode == QLatin1String("381");
    invoice.currency = required(root, QStringLiteral("cbc:DocumentCurrencyCode")).text;
    invoice.supplier =
        partyOf(required(root, QStringLiteral("cac:AccountingSupplierParty/cac:Party")));
    invoice.buyer =
        partyOf(required(root, QStringLiteral("cac:AccountingCustomerParty/cac:Party")));
    invoice.supplier.iban =
        text(root, QStringLiteral("cac:PaymentMeans/cac:PayeeFinancialAccount/cbc:ID"));

    const QString quantityName = invoice.creditNote && prefix == QLatin1String("CreditNote")
                                     ? QStringLiteral("cbc:CreditedQuantity")
                                     : QStringLiteral("cbc:InvoicedQuantity");
    double lineSum = 0;
    for (const Node* line : all(root, "cac:" + prefix + "Line")) {
        const Node& quantity = required(*line, quantityName);
        ReceivedLine l;
        l.text = required(*line, QStringLiteral("cac:Item/cbc:Name")).text;
        l.unit = quantity.attributes.value(QStringLiteral("unitCode")).toString();
        l.quantity = amountOf(quantity, quantityName);
        l.value = amount(*line, QStringLiteral("cbc:LineExtensionAmount"));
        l.price = amount(*line, QStringLiteral("cac:Price/cbc:PriceAmount"));
        l.rate =
            optionalAmount(*line, QStringLiteral("cac:Item/cac:ClassifiedTaxCategory/cbc:Percent"));
        lineSum += l.value;
        invoice.lines.push_back(l);
    }
    if (invoice.lines.empty()) {
        schemaFault("lipseste cac:" + prefix + "Line");
    }

    const Node& totals = required(root, QStringLiteral("cac:LegalMonetaryTotal"));
    const double lines = amount(totals, QStringLiteral("cbc:LineExtensionAmount"));
    const double net = amount(totals, QStringLiteral("cbc:TaxExclusiveAmount"));
    const double total = amount(totals, QStringLiteral("cbc:TaxInclusiveAmount"));
    amount(totals, QStringLiteral("cbc:PayableAmount"));
    const Node* taxTotal = taxTotalIn(root, invoice.currency);
    if (!taxTotal) {
        schemaFault(QStringLiteral("lipseste cac:TaxTotal"));
    }
    invoice.vat = amount(*taxTotal, QStringLiteral("cbc:TaxAmount"));
    invoice.rates = breakdown(*taxTotal);
    double bases = 0, vats = 0;
    for (const RateAmounts& r : invoice.rates) {
        bases += r.base;
        vats += r.vat;
    }
    if (!sameCents(lineSum, lines) ||
        !sameCents(lines - optionalAmount(totals, QStringLiteral("cbc:AllowanceTotalAmount")) +
                       optionalAmount(totals, QStringLiteral("cbc:ChargeTotalAmount")),
                   net) ||
        !sameCents(net + invoice.vat, total) || !sameCents(bases, net) ||
        !sameCents(vats, invoice.vat)) {
        refuse(QStringLiteral("totalurile facturii nu se potrivesc"));
    }
    invoice.net = net;
    invoice.total = total;
    if (invoice.currency != QLatin1String("RON")) {
        const Node* ron = taxTotalIn(root, QStringLiteral("RON"));
        if (!ron) {
            refuse(QStringLiteral("lipseste totalul TVA in lei"));
        }
        convert(invoice, amount(*ron, QStringLiteral("cbc:TaxAmount")));
    }
    if (invoice.creditNote) {
        for (RateAmounts& r : invoice.rates) {
            r.base = -r.base;
            r.vat = -r.vat;
        }
        invoice.net = -invoice.net;
        invoice.vat = -invoice.vat;
        invoice.total = -invoice.total;
    }
    return invoice;
}

// The invoice inside a platform ZIP: the file not named as its signature, else one that
// carries no signature.
ReadFile readZip(const QString& path) {
    ZipReader zip(path);
    if (!zip.isOpen()) {
        return refused(QStringLiteral("arhiva ZIP nu poate fi citita"));
    }
    std::vector<std::pair<QString, QByteArray>> signedOnes;
    for (bool more = zip.first(); more; more = zip.next()) {
        const std::optional<ZipEntry> info = zip.entry();
        if (!info || !info->name.endsWith(QLatin1String(".xml"), Qt::CaseInsensitive)) {
            continue;
        }
        if (info->declaredSize > static_cast<quint64>(kLargestReceivedFile)) {
            return refused(kTooLarge);
        }
        const std::optional<QByteArray> bytes = zip.read(kLargestReceivedFile + 1);
        if (!bytes) {
            continue;
        }
        const QByteArray& content = *bytes;
        if (content.size() > kLargestReceivedFile) {  // the header's size may not tell the truth
            return refused(kTooLarge);
        }
        const QString base = QFileInfo(info->name).fileName();
        if (!base.startsWith(QLatin1String("semnatura_"), Qt::CaseInsensitive)) {
            ReadFile read = parseReceived(content);
            read.xmlName = base;
            return read;
        }
        signedOnes.emplace_back(base, content);
    }
    for (const auto& [name, content] : signedOnes) {
        if (!content.contains(kSignatureNs.toUtf8())) {
            ReadFile read = parseReceived(content);
            read.xmlName = name;
            return read;
        }
    }
    return refused(QStringLiteral("arhiva nu contine o factura"));
}

}  // namespace

ReadFile parseReceived(const QByteArray& xml) {
    try {
        ReadFile read{invoiceOf(readTree(xml)), {}, {}, xml};
        return read;
    } catch (const Refused& r) {
        return {std::nullopt, r.reason, {}, xml};
    }
}

ReadFile readReceivedFile(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile()) {
        return refused(QStringLiteral("fisierul nu exista"));
    }
    if (info.size() > kLargestReceivedFile) {
        return refused(kTooLarge);
    }
    if (info.suffix().compare(QLatin1String("zip"), Qt::CaseInsensitive) == 0) {
        return readZip(path);
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return refused(QStringLiteral("fisierul nu poate fi citit"));
    }
    ReadFile read = parseReceived(file.read(kLargestReceivedFile + 1));
    read.xmlName = info.fileName();
    return read;
}

}  // namespace kov::efactura

#include "efactura/EFactura.h"

#include <QXmlStreamWriter>
#include <algorithm>
#include <cstdlib>

#include "books/VatExemption.h"
#include "data/Values.h"
#include "efactura/Archive.h"
#include "efactura/Counties.h"
#include "efactura/UblNames.h"

namespace kov::efactura {

namespace {

const QString kCustomization =
    QStringLiteral("urn:cen.eu:en16931:2017#compliant#urn:efactura.mfinante.ro:CIUS-RO:1.0.1");
const QString kCurrency = QStringLiteral("RON");

// The platform's length limits of the fields we fill.
constexpr int kMaxName = 200;
constexpr int kMaxStreet = 150;
constexpr int kMaxLocality = 50;
constexpr int kMaxItemName = 100;

// VAT categories of the line: S standard; for a VAT payer at 0 %, by the invoice's legal basis,
// G export, K intra-Community supply, AE reverse charge, E exempt (art. 292, and an invoice
// without a basis, which problems() refuses); O not subject to VAT (a seller that is not a VAT
// payer, whatever the rate typed).
enum class Category { S, E, O, G, K, AE };

Category categoryOf(const Invoice& invoice) {
    if (!invoice.seller.vatPayer) {
        return Category::O;
    }
    if (cents(invoice.rate) != 0) {
        return Category::S;
    }
    switch (exemptionBasis(invoice.basis)) {
        case ExemptionBasis::Export:
            return Category::G;
        case ExemptionBasis::IntraCommunity:
            return Category::K;
        case ExemptionBasis::ReverseCharge:
            return Category::AE;
        case ExemptionBasis::NoDeduction:
        case ExemptionBasis::None:
            break;
    }
    return Category::E;
}

// The exempt categories' identifier, reason code and reason text.
struct Exemption {
    const char* id;
    const char* code;  // may be empty
    const char* reason;
};

Exemption exemptionOf(Category category) {
    switch (category) {
        case Category::G:
            return {"G", "VATEX-EU-G", "Export scutit conform art. 294 alin. (1) din Codul fiscal"};
        case Category::K:
            return {"K", "VATEX-EU-IC",
                    "Livrare intracomunitara scutita conform art. 294 alin. (2) din Codul fiscal"};
        case Category::AE:
            return {"AE", "VATEX-EU-AE", "Taxare inversa conform art. 331 din Codul fiscal"};
        default:
            break;
    }
    return {"E", "", kExemptionReason};
}

// The country of a foreign VAT code's prefix (Greece writes EL); Romania without one.
QString countryOfVatCode(const QString& vatCode) {
    const QString prefix = vatCode.left(2).toUpper();
    if (vatCode.size() < 3 || !prefix[0].isLetter() || !prefix[1].isLetter()) {
        return QStringLiteral("RO");
    }
    return prefix == QLatin1String("EL") ? QStringLiteral("GR") : prefix;
}

// What the total holds beyond the amount without VAT plus the VAT, in cents. A total typed
// into the invoice window is split into an amount without VAT and a VAT each rounded on its
// own, which can leave one cent either way (100.00 at 21 % is 82.64 + 17.35); the file carries
// that cent as the rounding of the amount due, so that the invoice is written as recorded.
long long roundingCents(const Invoice& invoice) {
    return cents(invoice.total) - cents(invoice.net) - cents(invoice.vat);
}
constexpr long long kMaxRoundingCents = 1;

QString clean(const QString& text) {
    return text.simplified();
}

// A fiscal code without blanks and without the "RO" of VAT payers, as the registers hold it
// either way.
QString bareCode(const QString& code) {
    QString bare = code;
    bare.remove(QLatin1Char(' '));
    if (bare.startsWith(QLatin1String("RO"), Qt::CaseInsensitive)) {
        bare = bare.mid(2);
    }
    return bare;
}

// The VAT identifier a partner firm's code carries when it is written with the "RO" prefix (or,
// for an intra-Community supply, with another country's prefix).
QString buyerVatId(const Buyer& buyer, bool foreignPrefix = false) {
    const QString code = clean(buyer.code).remove(QLatin1Char(' ')).toUpper();
    if (buyer.person || code.size() <= 2) {
        return QString();
    }
    if (code.startsWith(QLatin1String("RO"))) {
        return code;
    }
    return foreignPrefix && code[0].isLetter() && code[1].isLetter() ? code : QString();
}

// --- Checks ---------------------------------------------------------------------------------

class Problems {
  public:
    void add(const QString& reason) { list_ << reason; }
    void require(const QString& who, const QString& field, const QString& value) {
        if (clean(value).isEmpty()) {
            add(who + QStringLiteral(": lipseste ") + field + QLatin1Char('.'));
        }
    }
    void limit(const QString& who, const QString& field, const QString& value, int max) {
        if (clean(value).size() > max) {
            add(QStringLiteral("%1: %2 are mai mult de %3 de caractere.").arg(who, field).arg(max));
        }
    }
    void address(const QString& who, const Address& address) {
        require(who, QStringLiteral("adresa"), address.street);
        limit(who, QStringLiteral("adresa"), address.street, kMaxStreet);
        const auto county = countyCode(address.county);
        if (clean(address.county).isEmpty()) {
            require(who, QStringLiteral("judetul"), address.county);
        } else if (!county) {
            add(QStringLiteral("%1: judetul \"%2\" nu este in lista judetelor.")
                    .arg(who, clean(address.county)));
        }
        // In Bucharest the sector of the county list is the locality.
        if (!county || county->sector.isEmpty()) {
            require(who, QStringLiteral("localitatea"), address.locality);
            limit(who, QStringLiteral("localitatea"), address.locality, kMaxLocality);
        }
    }
    QStringList list() const { return list_; }

  private:
    QStringList list_;
};

QString label(const QString& kind, const QString& name) {
    const QString shown = clean(name);
    return shown.isEmpty() ? kind : kind + QStringLiteral(" \"") + shown + QLatin1Char('"');
}

// --- Writing --------------------------------------------------------------------------------

class Writer {
  public:
    explicit Writer(QByteArray* out) : xml_(out) { xml_.setAutoFormatting(true); }

    void open(const QString& name) { xml_.writeStartElement(kCac, name); }
    void close() { xml_.writeEndElement(); }
    void text(const QString& name, const QString& value) {
        xml_.writeTextElement(kCbc, name, clean(value));
    }
    void text(const QString& name, const QString& value, const QString& attribute,
              const QString& attributeValue) {
        xml_.writeStartElement(kCbc, name);
        xml_.writeAttribute(attribute, attributeValue);
        xml_.writeCharacters(clean(value));
        xml_.writeEndElement();
    }
    void amount(const QString& name, double value) {
        text(name, formatAmount(value), QStringLiteral("currencyID"), kCurrency);
    }

    void document(const Invoice& invoice);

  private:
    // A tax identifier under the VAT scheme or under none; no code, no PartyTaxScheme.
    struct TaxId {
        QString code;
        bool vat = true;
    };

    void postalAddress(const Address& address, const QString& element = "PostalAddress",
                       const QString& country = "RO");
    void party(const QString& role, const QString& name, const Address& address, const TaxId& taxId,
               const QString& legalId);
    void seller(const Seller& seller, Category category);
    void buyer(const Buyer& buyer, Category category);
    void taxCategory(const QString& element, const Invoice& invoice, Category category,
                     bool withReason);
    void payment(const Invoice& invoice);
    void delivery(const Invoice& invoice);

    QXmlStreamWriter xml_;
};

void Writer::postalAddress(const Address& address, const QString& element, const QString& country) {
    const CountyCode county = countyCode(address.county).value_or(CountyCode{});
    open(element);
    text(QStringLiteral("StreetName"), address.street);
    text(QStringLiteral("CityName"), county.sector.isEmpty() ? address.locality : county.sector);
    text(QStringLiteral("CountrySubentity"), county.iso);
    open(QStringLiteral("Country"));
    text(QStringLiteral("IdentificationCode"), country);
    close();
    close();
}

void Writer::party(const QString& role, const QString& name, const Address& address,
                   const TaxId& taxId, const QString& legalId) {
    open(role);
    open(QStringLiteral("Party"));
    open(QStringLiteral("PartyName"));
    text(QStringLiteral("Name"), name);
    close();
    postalAddress(address);
    if (!taxId.code.isEmpty()) {
        open(QStringLiteral("PartyTaxScheme"));
        text(QStringLiteral("CompanyID"), taxId.code);
        open(QStringLiteral("TaxScheme"));
        if (taxId.vat) {
            text(QStringLiteral("ID"), QStringLiteral("VAT"));
        }
        close();
        close();
    }
    open(QStringLiteral("PartyLegalEntity"));
    text(QStringLiteral("RegistrationName"), name);
    text(QStringLiteral("CompanyID"), legalId);
    close();
    close();
    close();
}

void Writer::seller(const Seller& seller, Category category) {
    const QString code = bareCode(seller.fiscalCode);
    // A VAT payer is identified by its VAT code; a seller outside VAT by its fiscal
    // registration code under no tax scheme, since a VAT code may not appear then.
    const TaxId taxId =
        category == Category::O ? TaxId{code, false} : TaxId{QStringLiteral("RO") + code, true};
    party(QStringLiteral("AccountingSupplierParty"), seller.name, seller.address, taxId,
          clean(seller.registration).isEmpty() ? code : seller.registration);
}

void Writer::buyer(const Buyer& buyer, Category category) {
    // A private person without a CNP is identified by thirteen zeros.
    QString id = buyer.person ? clean(buyer.code) : bareCode(clean(buyer.code));
    if (buyer.person && id.isEmpty()) {
        id = QStringLiteral("0000000000000");
    }
    party(QStringLiteral("AccountingCustomerParty"), buyer.name, buyer.address,
          {category == Category::O ? QString() : buyerVatId(buyer, category == Category::K), true},
          id);
}

// An intra-Community supply states when and to which country the goods went.
void Writer::delivery(const Invoice& invoice) {
    open(QStringLiteral("Delivery"));
    text(QStringLiteral("ActualDeliveryDate"), isoDate(invoice.date));
    open(QStringLiteral("DeliveryLocation"));
    postalAddress(invoice.buyer.address, QStringLiteral("Address"),
                  countryOfVatCode(buyerVatId(invoice.buyer, true)));
    close();
    close();
}

void Writer::taxCategory(const QString& element, const Invoice& invoice, Category category,
                         bool withReason) {
    open(element);
    switch (category) {
        case Category::S:
            text(QStringLiteral("ID"), QStringLiteral("S"));
            text(QStringLiteral("Percent"), plainNumber(invoice.rate));
            break;
        case Category::E:
        case Category::G:
        case Category::K:
        case Category::AE: {
            const Exemption exemption = exemptionOf(category);
            text(QStringLiteral("ID"), QLatin1String(exemption.id));
            text(QStringLiteral("Percent"), QStringLiteral("0"));
            if (withReason) {
                if (*exemption.code) {
                    text(QStringLiteral("TaxExemptionReasonCode"), QLatin1String(exemption.code));
                }
                text(QStringLiteral("TaxExemptionReason"), QString::fromUtf8(exemption.reason));
            }
            break;
        }
        case Category::O:  // no rate at all
            text(QStringLiteral("ID"), QStringLiteral("O"));
            if (withReason) {
                text(QStringLiteral("TaxExemptionReasonCode"), QStringLiteral("VATEX-EU-O"));
            }
            break;
    }
    open(QStringLiteral("TaxScheme"));
    text(QStringLiteral("ID"), QStringLiteral("VAT"));
    close();
    close();
}

void Writer::payment(const Invoice& invoice) {
    const Seller& seller = invoice.seller;
    const QString iban = clean(seller.iban).remove(QLatin1Char(' '));
    open(QStringLiteral("PaymentMeans"));
    if (invoice.cashReceipt) {
        text(QStringLiteral("PaymentMeansCode"), QStringLiteral("10"));  // in cash
    } else {
        // Credit transfer, which obliges the account it goes to.
        text(QStringLiteral("PaymentMeansCode"), QStringLiteral("30"));
        open(QStringLiteral("PayeeFinancialAccount"));
        text(QStringLiteral("ID"), iban);
        text(QStringLiteral("Name"), seller.name);
        close();
    }
    close();
    // An invoice with an amount due needs a due date or payment terms; the books hold no due
    // date, so the terms say how it is paid (and at which bank, which has no field of its own).
    QString terms = QStringLiteral("Plata in numerar, cu chitanta emisa odata cu factura");
    if (!invoice.cashReceipt) {
        terms = QStringLiteral("Plata prin transfer bancar in contul ") + iban;
        if (!clean(seller.bank).isEmpty()) {
            terms += QStringLiteral(", ") + clean(seller.bank);
        }
    }
    open(QStringLiteral("PaymentTerms"));
    text(QStringLiteral("Note"), terms.left(300));
    close();
}

void Writer::document(const Invoice& invoice) {
    const Category category = categoryOf(invoice);
    xml_.writeStartDocument();
    xml_.writeDefaultNamespace(kInvoiceNs);
    xml_.writeNamespace(kCac, QStringLiteral("cac"));
    xml_.writeNamespace(kCbc, QStringLiteral("cbc"));
    xml_.writeStartElement(kInvoiceNs, QStringLiteral("Invoice"));
    text(QStringLiteral("CustomizationID"), kCustomization);
    text(QStringLiteral("ID"), invoice.number);
    text(QStringLiteral("IssueDate"), isoDate(invoice.date));
    text(QStringLiteral("InvoiceTypeCode"), QStringLiteral("380"));
    text(QStringLiteral("DocumentCurrencyCode"), kCurrency);
    seller(invoice.seller, category);
    buyer(invoice.buyer, category);
    if (category == Category::K) {
        delivery(invoice);
    }
    payment(invoice);

    open(QStringLiteral("TaxTotal"));
    amount(QStringLiteral("TaxAmount"), invoice.vat);
    open(QStringLiteral("TaxSubtotal"));
    amount(QStringLiteral("TaxableAmount"), invoice.net);
    amount(QStringLiteral("TaxAmount"), invoice.vat);
    taxCategory(QStringLiteral("TaxCategory"), invoice, category, true);
    close();
    close();

    open(QStringLiteral("LegalMonetaryTotal"));
    amount(QStringLiteral("LineExtensionAmount"), invoice.net);
    amount(QStringLiteral("TaxExclusiveAmount"), invoice.net);
    const long long rounding = roundingCents(invoice);
    amount(QStringLiteral("TaxInclusiveAmount"), (cents(invoice.total) - rounding) / 100.0);
    if (rounding != 0) {
        amount(QStringLiteral("PayableRoundingAmount"), rounding / 100.0);
    }
    amount(QStringLiteral("PayableAmount"), invoice.total);
    close();

    open(QStringLiteral("InvoiceLine"));
    text(QStringLiteral("ID"), QStringLiteral("1"));
    text(QStringLiteral("InvoicedQuantity"), QStringLiteral("1"), QStringLiteral("unitCode"),
         QStringLiteral("C62"));
    amount(QStringLiteral("LineExtensionAmount"), invoice.net);
    open(QStringLiteral("Item"));
    text(QStringLiteral("Name"), invoice.explanation);
    taxCategory(QStringLiteral("ClassifiedTaxCategory"), invoice, category, false);
    close();
    open(QStringLiteral("Price"));
    amount(QStringLiteral("PriceAmount"), invoice.net);
    close();
    close();

    xml_.writeEndElement();
    xml_.writeEndDocument();
}

}  // namespace

QStringList problems(const Invoice& invoice) {
    Problems p;
    const QString number = clean(invoice.number);
    if (number.isEmpty()) {
        p.add(QStringLiteral("Factura nu are numar."));
    } else if (!std::any_of(number.begin(), number.end(), [](QChar c) { return c.isDigit(); })) {
        p.add(QStringLiteral("Numarul facturii \"%1\" nu contine nicio cifra.").arg(number));
    }
    p.limit(QStringLiteral("Factura"), QStringLiteral("numarul"), number, kMaxName);
    if (!invoice.date.isValid()) {
        p.add(QStringLiteral("Factura nu are o data valida."));
    }
    p.require(QStringLiteral("Factura"), QStringLiteral("explicatia"), invoice.explanation);
    p.limit(QStringLiteral("Factura"), QStringLiteral("explicatia"), invoice.explanation,
            kMaxItemName);

    const Seller& seller = invoice.seller;
    const QString own = label(QStringLiteral("Firma proprie"), seller.name);
    p.require(own, QStringLiteral("denumirea"), seller.name);
    p.limit(own, QStringLiteral("denumirea"), seller.name, kMaxName);
    p.require(own, QStringLiteral("codul fiscal"), bareCode(seller.fiscalCode));
    p.address(own, seller.address);
    if (!invoice.cashReceipt) {
        p.require(own, QStringLiteral("contul bancar (IBAN)"), seller.iban);
    }

    const Buyer& buyer = invoice.buyer;
    const QString client = label(
        buyer.person ? QStringLiteral("Persoana fizica") : QStringLiteral("Clientul"), buyer.name);
    p.require(client, buyer.person ? QStringLiteral("numele") : QStringLiteral("denumirea"),
              buyer.name);
    p.limit(client, buyer.person ? QStringLiteral("numele") : QStringLiteral("denumirea"),
            buyer.name, kMaxName);
    if (!buyer.person) {
        p.require(client, QStringLiteral("codul fiscal"), bareCode(buyer.code));
    }
    p.address(client, buyer.address);

    const long long net = cents(invoice.net);
    const long long vat = cents(invoice.vat);
    if (net < 0) {
        p.add(QStringLiteral("Suma fara TVA %1 este negativa.").arg(formatAmount(invoice.net)));
    }
    if (std::llabs(roundingCents(invoice)) > kMaxRoundingCents) {
        p.add(QStringLiteral("Totalul %1 nu este egal cu suma fara TVA %2 plus TVA %3.")
                  .arg(formatAmount(invoice.total), formatAmount(invoice.net),
                       formatAmount(invoice.vat)));
    }
    if (invoice.rate < 0) {
        p.add(QStringLiteral("Cota de TVA %1 nu este valida.").arg(plainNumber(invoice.rate)));
    }
    const Category category = categoryOf(invoice);
    if (category == Category::O && vat != 0) {
        p.add(own + QStringLiteral(" nu este platitoare de TVA, dar factura are TVA ") +
              formatAmount(invoice.vat) + QLatin1Char('.'));
    } else if (category != Category::S && category != Category::O && vat != 0) {
        p.add(QStringLiteral("La cota 0 factura nu poate avea TVA ") + formatAmount(invoice.vat) +
              QLatin1Char('.'));
    }
    if (category != Category::S && category != Category::O &&
        exemptionBasis(invoice.basis) == ExemptionBasis::None) {
        p.add(QStringLiteral("Factura %1: lipseste temeiul legal al scutirii de TVA (cota 0 %); "
                             "alegeti-l in \"Reimprimare factura\".")
                  .arg(number));
    }
    if (category == Category::K && buyerVatId(buyer, true).isEmpty()) {
        p.add(client + QStringLiteral(": lipseste codul de inregistrare in scopuri de TVA, "
                                      "necesar livrarii intracomunitare."));
    }
    if (category == Category::AE && buyer.person) {
        p.add(client +
              QStringLiteral(": taxarea inversa se aplica doar unei persoane impozabile."));
    }
    return p.list();
}

QByteArray toXml(const Invoice& invoice) {
    QByteArray out;
    Writer(&out).document(invoice);
    return out;
}

QString fileName(const Invoice& invoice) {
    return archiveName(clean(invoice.number), invoice.date, QStringLiteral("xml"));
}

}  // namespace kov::efactura

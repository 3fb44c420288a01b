#include <gtest/gtest.h>

#include <QHash>
#include <QSet>
#include <QXmlStreamReader>
#include <functional>

#include "efactura/Counties.h"
#include "efactura/EFactura.h"
#include "tests/Support.h"
#include "tests/efactura/EFacturaSamples.h"

namespace kov::test {

namespace {

using efactura::Invoice;

// The text of every element and attribute by its path, the Invoice/ and Party/ levels left out
// ("AccountingSupplierParty/PartyName/Name", "TaxTotal/TaxAmount@currencyID"); repeated paths
// joined by "|".
QHash<QString, QString> fields(const QByteArray& xml) {
    QHash<QString, QStringList> all;
    QXmlStreamReader reader(xml);
    QStringList path;
    const auto key = [&path] { return path.mid(1).join("/").replace("/Party/", "/"); };
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            path << reader.name().toString();
            for (const auto& attribute : reader.attributes()) {
                all[key() + '@' + attribute.name().toString()] << attribute.value().toString();
            }
        } else if (reader.isEndElement()) {
            path.removeLast();
        } else if (reader.isCharacters() && !reader.isWhitespace()) {
            all[key()] << reader.text().toString();
        }
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    QHash<QString, QString> out;
    for (auto it = all.begin(); it != all.end(); ++it) {
        out[it.key()] = it.value().join('|');
    }
    return out;
}

TEST(EFactura, CountyNamesMapToIsoCodesAndBucharestSectors) {
    const QStringList cases[] = {{"ALBA", "RO-AB", ""},
                                 {"DIMBOVITA", "RO-DB", ""},
                                 {"VILCEA", "RO-VL", ""},
                                 {"BUC.SECTOR 3", "RO-B", "SECTOR3"},
                                 {"BUC.SECTOR 6", "RO-B", "SECTOR6"},
                                 {"SECTOR AGR ILFOV", "RO-IF", ""},
                                 {" cluj ", "RO-CJ", ""},
                                 {"BUCURESTI", "none", ""}};
    for (const QStringList& c : cases) {
        const CountyCode code = countyCode(c[0]).value_or(CountyCode{"none", ""});
        EXPECT_EQ(QStringList({c[0], code.iso, code.sector}), c);
    }
    QSet<QString> codes;  // the 41 counties and Bucharest, from the 47 names of the lists
    for (const QString& name : countyNames()) {
        codes.insert(countyCode(name).value_or(CountyCode{}).iso);
    }
    EXPECT_EQ(countyNames().size(), 47);
    EXPECT_EQ(codes.size(), 42);
    EXPECT_FALSE(codes.contains(QString()));
}

TEST(EFactura, WritesTheInvoiceTheUsageSpecificationWants) {
    struct Case {
        std::function<void(Invoice&)> change;
        QStringList expected;  // "path=value"; an empty value: no such element
    };
    const Case cases[] = {
        {[](Invoice&) {},  // a VAT payer to a firm in Bucharest, by transfer
         {"CustomizationID=urn:cen.eu:en16931:2017#compliant#urn:efactura.mfinante.ro:CIUS-RO:"
          "1.0.1",
          "ID=F 1023",
          "IssueDate=2025-03-05",
          "InvoiceTypeCode=380",
          "DocumentCurrencyCode=RON",
          "AccountingSupplierParty/PartyTaxScheme/CompanyID=RO1234567",
          "AccountingSupplierParty/PartyTaxScheme/TaxScheme/ID=VAT",
          "AccountingSupplierParty/PartyLegalEntity/CompanyID=J02/100/2001",
          "AccountingSupplierParty/PostalAddress/CityName=ARAD",
          "AccountingSupplierParty/PostalAddress/CountrySubentity=RO-AR",
          "AccountingCustomerParty/PostalAddress/StreetName=STR. LUNGA NR. 2",
          "AccountingCustomerParty/PostalAddress/CityName=SECTOR3",
          "AccountingCustomerParty/PostalAddress/CountrySubentity=RO-B",
          "AccountingCustomerParty/PostalAddress/Country/IdentificationCode=RO",
          "AccountingCustomerParty/PartyTaxScheme/CompanyID=RO7654321",
          "AccountingCustomerParty/PartyLegalEntity/CompanyID=7654321",
          "PaymentMeans/PaymentMeansCode=30",
          "PaymentMeans/PayeeFinancialAccount/ID=RO49AAAA1B31007593840000",
          "TaxTotal/TaxAmount=210.53",
          "TaxTotal/TaxSubtotal/TaxAmount=210.53",
          "TaxTotal/TaxAmount@currencyID=RON",
          "TaxTotal/TaxSubtotal/TaxableAmount=1002.50",
          "TaxTotal/TaxSubtotal/TaxCategory/ID=S",
          "TaxTotal/TaxSubtotal/TaxCategory/Percent=21",
          "LegalMonetaryTotal/TaxExclusiveAmount=1002.50",
          "LegalMonetaryTotal/TaxInclusiveAmount=1213.03",
          "LegalMonetaryTotal/PayableAmount=1213.03",
          "LegalMonetaryTotal/PayableRoundingAmount=",
          "InvoiceLine/InvoicedQuantity=1",
          "InvoiceLine/InvoicedQuantity@unitCode=C62",
          "InvoiceLine/LineExtensionAmount=1002.50",
          "InvoiceLine/Item/Name=ONORARIU",
          "InvoiceLine/Item/ClassifiedTaxCategory/ID=S",
          "InvoiceLine/Price/PriceAmount=1002.50"}},
        {[](Invoice& i) {  // outside VAT, in cash: no VAT code anywhere, no rate
             i.seller.vatPayer = false, i.seller.registration.clear(), i.cashReceipt = true;
             i.rate = 0, i.vat = 0, i.total = i.net;
         },
         {"AccountingSupplierParty/PartyTaxScheme/CompanyID=1234567",
          "AccountingSupplierParty/PartyTaxScheme/TaxScheme/ID=",
          "AccountingSupplierParty/PartyLegalEntity/CompanyID=1234567",
          "AccountingCustomerParty/PartyTaxScheme/CompanyID=",
          "TaxTotal/TaxSubtotal/TaxCategory/ID=O", "TaxTotal/TaxSubtotal/TaxCategory/Percent=",
          "TaxTotal/TaxSubtotal/TaxCategory/TaxExemptionReasonCode=VATEX-EU-O",
          "InvoiceLine/Item/ClassifiedTaxCategory/Percent=", "PaymentMeans/PaymentMeansCode=10",
          "PaymentMeans/PayeeFinancialAccount/ID=", "LegalMonetaryTotal/PayableAmount=1002.50"}},
        {[](Invoice& i) { i = samples::priced(i, 100, 21, true); },  // a typed total
         {"TaxTotal/TaxAmount=17.35", "LegalMonetaryTotal/TaxExclusiveAmount=82.64",
          "LegalMonetaryTotal/TaxInclusiveAmount=99.99",
          "LegalMonetaryTotal/PayableRoundingAmount=0.01",
          "LegalMonetaryTotal/PayableAmount=100.00"}},
        {[](Invoice& i) {  // a VAT payer at 0 % to a private person without a CNP
             i.buyer = {
                 true, "D'ARTAGNAN ȘTEFĂNESCU & <FIII>", "", {"STR. MICA 1", "DEVA", "HUNEDOARA"}};
             i.rate = 0, i.vat = 0, i.total = i.net, i.basis = "SFD";
         },
         {"AccountingCustomerParty/PartyName/Name=D'ARTAGNAN ȘTEFĂNESCU & <FIII>",
          "AccountingCustomerParty/PartyLegalEntity/CompanyID=0000000000000",
          "AccountingCustomerParty/PostalAddress/CityName=DEVA",
          "AccountingCustomerParty/PostalAddress/CountrySubentity=RO-HD",
          "TaxTotal/TaxSubtotal/TaxCategory/ID=E", "TaxTotal/TaxSubtotal/TaxCategory/Percent=0",
          QStringLiteral("TaxTotal/TaxSubtotal/TaxCategory/TaxExemptionReason=") +
              efactura::kExemptionReason}},
    };
    for (const Case& c : cases) {
        Invoice invoice = samples::firmInvoice();
        c.change(invoice);
        ASSERT_EQ(efactura::problems(invoice), QStringList());
        const auto found = fields(efactura::toXml(invoice));
        for (const QString& expected : c.expected) {
            const QString path = expected.section('=', 0, 0);
            EXPECT_EQ(path + '=' + found.value(path), expected);
        }
    }
}

TEST(EFactura, ProblemsNameTheFieldAndWhoseItIs) {
    const QString own = "Firma proprie \"ALFA CONSULT SRL\"";
    const QString client = "Clientul \"BETA IMPEX SRL\"";
    const std::pair<std::function<void(Invoice&)>, QStringList> cases[] = {
        {[](Invoice& i) { i.number = "ABC"; },
         {"Numarul facturii \"ABC\" nu contine nicio cifra."}},
        {[](Invoice& i) { i.number = " ", i.date = {}; },
         {"Factura nu are numar.", "Factura nu are o data valida."}},
        {[](Invoice& i) { i.explanation.clear(); }, {"Factura: lipseste explicatia."}},
        {[](Invoice& i) { i.seller.address.street.clear(), i.seller.iban.clear(); },
         {own + ": lipseste adresa.", own + ": lipseste contul bancar (IBAN)."}},
        {[](Invoice& i) { i.seller.iban.clear(), i.cashReceipt = true; }, {}},
        {[](Invoice& i) { i.seller.address.locality.clear(); }, {own + ": lipseste localitatea."}},
        {[](Invoice& i) { i.buyer.address.county = "ILFOV"; },
         {client + ": judetul \"ILFOV\" nu este in lista judetelor."}},
        // In Bucharest the sector is the locality; elsewhere the locality is required.
        {[](Invoice& i) { i.buyer.address.locality.clear(); }, {}},
        {[](Invoice& i) {
             i.buyer.address = {"STR. MICA 1", "", "CLUJ"}, i.buyer.code.clear();
         },
         {client + ": lipseste codul fiscal.", client + ": lipseste localitatea."}},
        {[](Invoice& i) {
             i.buyer = {true, "", "", {"", QString(51, 'X'), ""}};
         },
         {"Persoana fizica: lipseste numele.", "Persoana fizica: lipseste adresa.",
          "Persoana fizica: lipseste judetul.",
          "Persoana fizica: localitatea are mai mult de 50 de caractere."}},
        {[](Invoice& i) { i.total = 1213.04; }, {}},  // a cent of rounding is carried
        {[](Invoice& i) { i.total = 1213.05; },
         {"Totalul 1213.05 nu este egal cu suma fara TVA 1002.50 plus TVA 210.53."}},
        {[](Invoice& i) { i.net = 0.1, i.vat = 0.2, i.total = 0.3; }, {}},  // in cents
        {[](Invoice& i) { i.net = -10, i.vat = -2.1, i.total = -12.1; },
         {"Suma fara TVA -10.00 este negativa."}},
        {[](Invoice& i) { i.seller.vatPayer = false; },
         {own + " nu este platitoare de TVA, dar factura are TVA 210.53."}},
        {[](Invoice& i) { i.rate = 0, i.basis = "SFD"; },
         {"La cota 0 factura nu poate avea TVA 210.53."}},
    };
    for (const auto& [change, expected] : cases) {
        Invoice invoice = samples::firmInvoice();
        change(invoice);
        EXPECT_EQ(efactura::problems(invoice), expected);
    }
    Invoice invoice = samples::firmInvoice();
    invoice.number = "A/12:3";
    EXPECT_EQ(efactura::fileName(invoice), "A_12_3_2025-03-05.xml");
}

}  // namespace

}  // namespace kov::test

#pragma once
// Invoices for the e-Factura tests: a valid one to vary, and the table handed to the national
// validator.

#include <vector>

#include "data/Vat.h"
#include "efactura/EFactura.h"

namespace kov::test::samples {

// Amounts as the invoice window computes them from an amount without VAT, or from a total.
inline efactura::Invoice priced(efactura::Invoice invoice, double amount, double rate,
                                bool typedTotal = false) {
    const VatAmounts amounts = typedTotal ? vatFromTotal(amount, rate) : vatFromNet(amount, rate);
    invoice.net = amounts.net, invoice.rate = rate, invoice.vat = amounts.vat;
    invoice.total = amounts.total;
    return invoice;
}

// A VAT payer's fee to a firm in Bucharest, paid by transfer.
inline efactura::Invoice firmInvoice() {
    efactura::Invoice invoice{
        "F 1023",
        QDate(2025, 3, 5),
        {"ALFA CONSULT SRL",
         true,
         "1234567",
         "J02/100/2001",
         {"BD. REVOLUTIEI NR. 5", "ARAD", "ARAD"},
         "RO49 AAAA 1B31 0075 9384 0000",
         "BANCA TRANSILVANIA"},
        {false, "BETA IMPEX SRL", "RO7654321", {"STR. LUNGA NR. 2", "BUCURESTI", "BUC.SECTOR 3"}},
        "ONORARIU"};
    return priced(invoice, 1002.50, 21);
}

// Firm and private person, VAT payer and not, rates 21, 11, 19 and 0, Bucharest and counties,
// names with an apostrophe and diacritics, amounts with cents, a typed total, cash and transfer.
inline std::vector<efactura::Invoice> conformanceTable() {
    const auto variant = [](const char* number, efactura::Buyer buyer, double amount, double rate,
                            bool cash, bool typedTotal = false) {
        efactura::Invoice invoice = firmInvoice();
        invoice.number = number, invoice.buyer = buyer, invoice.cashReceipt = cash;
        return priced(invoice, amount, rate, typedTotal);
    };
    std::vector<efactura::Invoice> table{
        firmInvoice(),
        variant(
            "1024",
            {true, "IONESCU MARIA", "2800101123456", {"STR. PACII 3", "TIRGOVISTE", "DIMBOVITA"}},
            250, 11, true),
        variant("1025",
                {false,
                 "CAFENEAUA D'ARTAGNAN ȘI FIII SRL",
                 "12345678",
                 {"PIAȚA MARE NR. 1", "RÎMNICU VÎLCEA", "VILCEA"}},
                10.01, 19, false),
        // 100.00 typed as the total at 21 % is 82.64 + 17.35: a cent of rounding.
        variant("1026", {false, "GAMMA SERV SRL", "RO998877", {"STR. NOUA 4", "BRASOV", "BRASOV"}},
                100, 21, false, true),
        variant("1027", {true, "POPA ANA", "", {"STR. GARII 7", "VOLUNTARI", "SECTOR AGR ILFOV"}},
                1500, 0, false),
        variant("A28", firmInvoice().buyer, 99.99, 0, true),
        variant(
            "A29",
            {true, "O'NEIL GHEORGHE", "1750505123456", {"STR. ZORILOR 9", "CLUJ-NAPOCA", "CLUJ"}},
            400, 0, false)};
    table[2].explanation = "ONORARIU CONSULTANȚĂ";
    table[4].basis = "SFD";  // a VAT payer's exemption without the right of deduction
    // The last two come from a seller outside VAT, the first of them in Bucharest.
    for (size_t i : {5, 6}) {
        table[i].seller.vatPayer = false;
        table[i].seller.registration.clear();
    }
    table[5].seller.address = {"CALEA VICTORIEI 10", "", "BUC.SECTOR 1"};
    return table;
}

}  // namespace kov::test::samples

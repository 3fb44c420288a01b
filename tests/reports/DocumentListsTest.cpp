#include "reports/DocumentLists.h"
#include "reports/RaportChitante.h"
#include "reports/RaportFacturi.h"
#include "tests/reports/ReportFixture.h"
#include "ui/Globals.h"

using namespace kov::test;
using kov::reports::DocumentList;

namespace {

class DocumentLists : public ReportTest {
  protected:
    DocumentLists() {
        for (const auto& [number, date] :
             std::initializer_list<std::pair<QString, QString>>{{"A", "14.03.2004"},
                                                                {"B", "15.03.2004"},
                                                                {"C", "31.03.2004"},
                                                                {"D", "1.4.2004"},
                                                                {"E1", "10.04.2004"},
                                                                {"F", "11.04.2004"}}) {
            invoice("E", number, date, "A1", 100, 19);
        }
        invoice("I", "R1", "20.03.2004", "A1", 100, 19);
        invoice("E", "X", "20.03.2004", "A1", 100, 19, "RO200");
        operation("15.03.2004", "CH. 1", "incasare", 0, 119, 100);
        operation("15.03.2004", "F.12 + CH.13", "incasare", 0, 119, 100);
        operation("16.03.2004", "O.P. 2", "incasare", 1, 119, 100);
        operation("15.03.2004", "DIVERSE 5", "incasare", 0, 119, 100);
        operation("15.03.2004", "BF. 3", "plata", 0, 119, 100);
        operation("15.03.2004", "F.20 + BF.21", "plata", 0, 238, 200);
        operation("15.03.2004", "CH. 4", "plata", 0, 119, 100);
        operation("15.03.2004", "PLATA CHIRIE", "plata", 0, 119, 100);
        operation("15.03.2004", "CH. 9", "plata", 0, 119, 100, 1, 0, "ONORARIU", "RO200");
    }
};

}  // namespace

TEST_F(DocumentLists, DayOrOpenOrClosedRangeWithBothEndsIncluded) {
    struct {
        DocumentList list;
        bool day;
        QString from, to;
        QStringList documents;
        QString period, message;
    } const cases[] = {
        {DocumentList::IssuedInvoices,
         false,
         "15.03.2004",
         "10.04.2004",
         {"B", "C", "D", "E1"},
         "din data de 15.03.2004 pana la data de 10.04.2004",
         {}},
        {DocumentList::IssuedInvoices,
         false,
         "",
         "31.03.2004",
         {"A", "B", "C"},
         "pana la data de 31.03.2004",
         {}},
        {DocumentList::IssuedInvoices,
         false,
         "1.4.2004",
         "",
         {"D", "E1", "F"},
         "din data de 1.4.2004",
         {}},
        {DocumentList::IssuedInvoices, true, "15.03.2004", {}, {"B"}, "la data de 15.03.2004", {}},
        {DocumentList::IssuedInvoices, true, "", {}, {"A", "B", "C", "D", "E1", "F"}, "", {}},
        {DocumentList::ReceivedInvoices, false, "", "", {"R1"}, "", {}},
        {DocumentList::IssuedInvoices,
         true,
         "16.03.2004",
         {},
         {},
         {},
         "Nu exista facturi emise in perioada selectata!"},
        {DocumentList::ReceivedInvoices,
         true,
         "16.03.2004",
         {},
         {},
         {},
         "Nu exista facturi de intrare in perioada selectata!"},
        {DocumentList::CollectedReceipts,
         true,
         "15.03.2004",
         {},
         {"CH. 1", "F.12 + CH.13"},
         "la data de 15.03.2004",
         {}},
        {DocumentList::PaidReceipts,
         true,
         "15.03.2004",
         {},
         {"BF. 3", "CH. 4", "F.20 + BF.21"},
         "la data de 15.03.2004",
         {}},
        {DocumentList::PaidReceipts,
         false,
         "15.03.2004",
         "15.03.2004",
         {"BF. 3", "CH. 4", "F.20 + BF.21"},
         "din data de 15.03.2004 pana la data de 15.03.2004",
         {}},
        {DocumentList::CollectedReceipts,
         false,
         "16.03.2004",
         "",
         {"O.P. 2"},
         "din data de 16.03.2004",
         {}},
        {DocumentList::CollectedReceipts,
         true,
         "17.03.2004",
         {},
         {},
         {},
         "Nu exista chitante sau ordine de plata incasate in data selectata!"},
        {DocumentList::PaidReceipts,
         false,
         "17.03.2004",
         "",
         {},
         {},
         "Nu exista chitante sau ordine de plata achitate in data selectata!"},
    };
    const char* titles[] = {"FACTURI EMISE", "FACTURI INTRARE", "CHITANTE/ORDINE DE PLATA ACHITATE",
                            "CHITANTE/ORDINE DE PLATA INCASATE"};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.from.toStdString() + " / " + c.to.toStdString());
        modals.clear();
        c.day ? pickDay(c.from) : pickRange(c.from, c.to);
        const bool invoices =
            c.list == DocumentList::IssuedInvoices || c.list == DocumentList::ReceivedInvoices;
        kov::report::ReportForm& form =
            invoices ? static_cast<kov::report::ReportForm&>(*RaportFacturi)
                     : static_cast<kov::report::ReportForm&>(*RaportChitante);
        kov::reports::documentList(c.list);
        if (saidOnly(c.message)) {
            continue;
        }
        const kov::report::PageModel model = previewed(form);
        QStringList documents;
        for (const QStringList& line : detailLines(model)) {
            documents << line[2];
        }
        EXPECT_EQ(documents, c.documents);
        EXPECT_EQ(textOf(model, "RLabel4"), c.period);
        EXPECT_EQ(textOf(model, "RLabel3"), titles[static_cast<int>(c.list)]);
        EXPECT_EQ(textOf(model, "RLabel1"), "S.C.");
    }
}

TEST_F(DocumentLists, StatementsAndLinesAsPrinted) {
    pickRange("15.03.2004", "10.04.2004");
    db.db().clearLog();
    kov::reports::documentList(DocumentList::IssuedInvoices);
    EXPECT_TRUE(db.db().log().contains(
        "select * from facturi where felfactura='E' and codfiscal='RO100' and "
        "data>='2004-03-15' and data<='2004-04-10' order by data, nrfactura"))
        << db.db().log().join("\n").toStdString();
    kov::report::PageModel model = previewed(*RaportFacturi);
    EXPECT_EQ(detailLines(model)[0],
              (QStringList{"1", "15.03.2004", "B", "A1", "119.00", "100.00"}));
    EXPECT_TRUE(model.pages.back().texts().contains("476.00"));

    pickDay("15.03.2004");
    db.db().clearLog();
    kov::reports::documentList(DocumentList::PaidReceipts);
    EXPECT_TRUE(
        db.db().log().contains("select * from operatiuni where tip='plata' and data='2004-03-15' "
                               "and codfiscal='RO100' and ((nrdoc like '%CH.%') or (nrdoc like "
                               "'%O.P.%') or (nrdoc like '%BF.%')) order by data, nrdoc"))
        << db.db().log().join("\n").toStdString();
    model = previewed(*RaportChitante);
    EXPECT_EQ(model.paper, QSizeF(297, 210));
    EXPECT_EQ(detailLines(model)[2],
              (QStringList{"3", "15.03.2004", "F.20 + BF.21", "ONORARIU OBS", "238.00", "200.00"}));
    const QStringList last = model.pages.back().texts();
    EXPECT_TRUE(last.contains("476.00"));
    EXPECT_TRUE(last.contains("400.00"));
    EXPECT_TRUE(last.contains("Total:"));
}

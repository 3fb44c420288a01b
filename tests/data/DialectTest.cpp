// The statements the program writes, as each engine runs them, and the server's failures as the
// user reads them.
#include <gtest/gtest.h>

#include "data/Dialect.h"
#include "data/PgBackend.h"
#include "tests/Support.h"

namespace kov {

TEST(Dialect, StatementsAsTheServerRunsThem) {
    const struct {
        const char* sql;
        const char* server;
    } cases[] = {
        {"select * from facturi where nrfactura=? and data>=?",
         "select * from facturi where nrfactura=$1 and data>=$2"},
        {"select * from firme where denumire like 'A?%' and cod=?",
         "select * from firme where denumire ilike 'A?%' and cod=$1"},
        {"select * from operatiuni where nrdoc not like 'CH.%'",
         "select * from operatiuni where nrdoc not ilike 'CH.%'"},
        {"select * from facturi order by data, nrfactura desc",
         "select * from facturi order by data nulls first, nrfactura desc nulls last"},
        {"select * from facturi order by data asc limit 3",
         "select * from facturi order by data asc nulls first limit 3"},
        {"select * from firme order by upper(denumire)",
         "select * from firme order by upper(denumire) nulls first"},
        {"delete * from registru", "delete from registru"},
        {"select rowid as ROWID, * from facturi where rowid=5",
         "select kov_rowid as ROWID, * from facturi where kov_rowid=5"},
        {"select rowid from facturi", "select kov_rowid as rowid from facturi"},
        {"select * from numere where CODFISCAL='RO1' for update",
         "select * from numere where CODFISCAL='RO1' for update"},
        {"select count(*) as n from (select id from defalcari) where id>1",
         "select count(*) as n from (select id from defalcari) as kov_1 where id>1"},
        {"select count(*) from (select id from defalcari) d",
         "select count(*) from (select id from defalcari) d"},
        {"insert into casieri values('it''s ? rowid like',?)",
         "insert into casieri values('it''s ? rowid like',$1)"},
        {"PRAGMA journal_mode=WAL", ""},
        {"PRAGMA user_version", "select version as user_version from kov_version"},
        {"PRAGMA query_only=1", "set default_transaction_read_only = on"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(postgresSql(c.sql), c.server) << c.sql;
    }
    EXPECT_EQ(postgresSql("SAVEPOINT a", false), "BEGIN");
    EXPECT_EQ(postgresSql("SAVEPOINT a", true), "SAVEPOINT a");
    EXPECT_THROW(postgresSql("PRAGMA integrity_check"), DbError);

    EXPECT_EQ(sqliteSql("delete * from jurnal"), "delete from jurnal");
    EXPECT_EQ(sqliteSql("select * from numere where CODFISCAL='RO1' for update"),
              "select * from numere where CODFISCAL='RO1'");
    EXPECT_EQ(withValues("insert into t values(?,?,?,?,'?')",
                         {Value(7LL), Value(2.5), Value(100.0), Value(QString("O'N"))}),
              "insert into t values(7,2.5,100.0,'O''N','?')");
}

// A date the server would read in another form is refused by the column it goes into.
TEST(Dialect, DatesOnlyInTheStoredForm) {
    const struct {
        const char* sql;
        const char* column;  // empty: nothing refused
    } cases[] = {
        {"insert into facturi (CODFISCAL,NRFACTURA,DATA) values('RO1','5/3/2004','2004-03-05')",
         ""},
        {"insert into facturi (CODFISCAL,NRFACTURA,DATA) values('RO1','1','5/3/2004')",
         "facturi.DATA"},
        {"insert into facturi values('RO1','1','today',1,1,19,0,0,0,'C','E')", "facturi.DATA"},
        {"update firme set DATAULMI='20040305' where COD='1'", "firme.DATAULMI"},
        {"select * from operatiuni where data>='2004-03-01' and data<'1.4.2004'",
         "operatiuni.DATA"},
        {"insert into registru (DATA) values('05.03.2004')", ""},
        {"select * from facturi where nrfactura='today'", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(nonIsoDateColumn(c.sql), c.column) << c.sql;
    }
    EXPECT_EQ(placeholderDateColumn("insert into cotefacturi values(?,?,?,?,?,?,?)", 3),
              "cotefacturi.DATA");
    EXPECT_EQ(placeholderDateColumn("select * from facturi where codfiscal=? and data=?", 1),
              "facturi.DATA");
    EXPECT_EQ(placeholderDateColumn("select * from facturi where codfiscal=? and data=?", 0), "");
}

TEST(Dialect, ServerFailuresReadRomanian) {
    using Kind = DbError::Kind;
    const struct {
        const char* state;
        const char* constraint;
        Kind kind;
        const char* text;
    } cases[] = {
        {"53100", "", Kind::Full, "Discul este plin."},
        {"25006", "", Kind::ReadOnly, "Baza de date nu poate fi scrisa."},
        {"42501", "", Kind::ReadOnly, "Baza de date nu poate fi scrisa."},
        {"08006", "", Kind::CannotOpen, "Serverul bazei de date srv:5432 nu poate fi contactat."},
        {"40001", "", Kind::Busy,
         "Baza de date este ocupata de alt utilizator. Nimic nu a fost scris; incercati din nou."},
        {"40P01", "", Kind::Busy,
         "Baza de date este ocupata de alt utilizator. Nimic nu a fost scris; incercati din nou."},
        {"55P03", "", Kind::Busy,
         "Baza de date este ocupata de alt utilizator. Nimic nu a fost scris; incercati din nou."},
        {"23514", "facturi_data_iso", Kind::Other,
         "Valoarea din facturi.DATA nu este o data valida"},
        {"23514", "operatiuni_fara_firma", Kind::Other, "Documentul nu are firma (CODFISCAL gol)"},
        {"42601", "", Kind::Other, "ERROR: syntax error"},
    };
    for (const auto& c : cases) {
        const DbError e = postgresError(c.state, c.constraint, "ERROR: syntax error", "srv:5432");
        EXPECT_EQ(e.kind(), c.kind) << c.state;
        EXPECT_EQ(e.message(), c.text) << c.state;
        EXPECT_EQ(e.engineText(), "ERROR: syntax error") << c.state;
    }
}

}  // namespace kov

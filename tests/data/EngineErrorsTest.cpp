#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "data/Database.h"
#include "tests/Support.h"

namespace kov {

// The engine's own failures reach the user in Romanian; its English text stays for support.
TEST(EngineErrors, EachKindReadsRomanian) {
    test::TempHome home;
    const QString good = home.path("bun.db");
    createDatabaseFile(good);
    QFile garbage(home.path("gunoi.db"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray("nu este o baza de date").repeated(300));
    garbage.close();
    QFile(home.path("gol.db")).open(QIODevice::WriteOnly);

    struct Case {
        const char* what;
        std::function<void()> fail;
        DbError::Kind kind;
        const char* text;
    };
    const Case cases[] = {
        {"full",
         [&] {
             Database db("t");
             db.open(good);
             db.execute("PRAGMA max_page_count=" + QString::number(1));
             db.execute("insert into firme (DENUMIRE) values('" + QString(5000, u'A') + "')");
         },
         DbError::Kind::Full, "Discul este plin."},
        {"read-only",
         [&] {
             Database db("t");
             db.open(good);
             db.execute("PRAGMA query_only=1");
             db.execute("insert into firme (DENUMIRE) values('A')");
         },
         DbError::Kind::ReadOnly, "Baza de date nu poate fi scrisa."},
        {"garbage", [&] { Database("t").open(home.path("gunoi.db")); }, DbError::Kind::Damaged,
         "Fisierul bazei de date este deteriorat."},
        {"empty", [&] { Database("t").open(home.path("gol.db")); }, DbError::Kind::Damaged,
         "Fisierul bazei de date este deteriorat."},
        {"missing folder", [&] { Database("t").open(home.path("lipsa/x.db"), true); },
         DbError::Kind::CannotOpen, "Fisierul bazei de date nu poate fi deschis."},
    };
    for (const Case& c : cases) {
        try {
            c.fail();
            ADD_FAILURE() << c.what << ": no error";
        } catch (const DbError& e) {
            EXPECT_EQ(e.kind(), c.kind) << c.what;
            EXPECT_EQ(e.message(), c.text) << c.what;
            EXPECT_FALSE(e.engineText().isEmpty()) << c.what;
        }
    }
    // An empty file with a write-ahead log beside it is not judged: the engine may restore it.
    QFile wal(home.path("gol.db-wal"));
    ASSERT_TRUE(wal.open(QIODevice::WriteOnly));
    wal.write("x");
    wal.close();
    EXPECT_FALSE(isDamagedDatabaseFile(home.path("gol.db")));
    EXPECT_FALSE(isDamagedDatabaseFile(good));
}

}  // namespace kov

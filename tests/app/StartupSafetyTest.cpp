#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTranslator>

#include "app/Formmessage.h"
#include "app/Translation.h"
#include "tests/app/AppFixture.h"

namespace kov::test {

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

}  // namespace

// A main file that is there but holds no database is damaged, not new: the start-up copy, the
// last good state of the books, is left exactly as it was and the user is told where it is.
TEST_F(AppTest, ADamagedMainFileKeepsTheStartupCopyAndSaysWhereItIs) {
    const QByteArray goodCopy("ultima copie buna");
    for (const QByteArray& damaged :
         {QByteArray(), QByteArray("nu este o baza de date, doar text").repeated(200)}) {
        const QString path = prepareDatabase({{"", "ALFA SRL", "RO1"}});
        const QString copy = QFileInfo(path).absolutePath() + "/BackUp.mvn";
        writeAll(copy, goodCopy);
        writeAll(path, damaged);
        try {
            start();
            ADD_FAILURE() << "the damaged file was opened";
        } catch (const DbError& e) {
            EXPECT_EQ(e.kind(), DbError::Kind::Damaged);
            EXPECT_EQ(e.message(), "Fisierul bazei de date " + path +
                                       " este deteriorat. Ultima copie buna a bazei de date se "
                                       "afla in " +
                                       copy + ".");
        }
        EXPECT_EQ(readAll(copy), goodCopy);
        EXPECT_EQ(readAll(path), damaged);
        QFile::remove(path);
    }
}

// A start-up copy that cannot be written (a full disk, a folder in the way) is reported; the
// books open all the same. Until the company is established only the company commands work.
TEST_F(AppTest, AFailedStartupCopyIsReportedAndDocumentsWaitForTheCompany) {
    const QString path = prepareDatabase({{"", "ALFA SRL", "RO1"}});
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath() + "/BackUp.mvn.partial/x"));
    modals.answer("OK");
    start();
    for (const char* name : {"Eliberarefactura1", "Facturiintrare1", "Jurnaldevanzari1",
                             "Stergeredocument1", "Salvarepedischeta1", "Datefirma1"}) {
        EXPECT_FALSE(FormMain->action(name)->isEnabled()) << name;
    }
    EXPECT_FALSE(FormMain->BitBtn1->isEnabled());
    EXPECT_TRUE(FormMain->action("Selectarefirma1")->isEnabled());
    EXPECT_TRUE(FormMain->action("Iesire1")->isEnabled());
    showMain();
    ASSERT_EQ(modals.boxes().size(), 1u);
    EXPECT_EQ(modals.boxes()[0].text, "Nu s-a efectuat corect salvarea bazei de date!");
    EXPECT_EQ(modals.boxes()[0].title, "Eroare la salvare!");
    ASSERT_TRUE(waitFor([] { return SelectedFiscalCode == "RO1"; }));
    EXPECT_TRUE(FormMain->action("Eliberarefactura1")->isEnabled());
    EXPECT_TRUE(FormMain->BitBtn1->isEnabled());
}

// Qt's own dialogs and menus read Romanian.
TEST(Translation, QtOwnTextsAreRomanian) {
    QTranslator romanian;
    ASSERT_TRUE(installRomanian(romanian));
    QFileDialog dialog(nullptr, "Salvare", QDir::tempPath());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    QStringList labels;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        labels << label->text();
    }
    EXPECT_TRUE(labels.contains("Cauta in:")) << labels.join('|').toStdString();
    EXPECT_TRUE(labels.contains("Fisiere de tipul:")) << labels.join('|').toStdString();
    QLineEdit edit;
    std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList items;
    for (const QAction* action : menu->actions()) {
        items << action->text().section('\t', 0, 0);
    }
    EXPECT_TRUE(items.contains("&Copiere")) << items.join('|').toStdString();
    EXPECT_TRUE(items.contains("&Lipire"));
    QCoreApplication::removeTranslator(&romanian);
}

}  // namespace kov::test

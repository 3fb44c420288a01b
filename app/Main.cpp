#include "app/Main.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <optional>

#include "app/Adaugarefirmanoua.h"
#include "app/ConectareSPV.h"
#include "app/DataSource.h"
#include "app/Datefirma.h"
#include "app/Formmessage.h"
#include "app/Selectarefirma.h"
#include "books/Periods.h"
#include "data/Query.h"
#include "data/Settings.h"
#include "documents/SpvCommands.h"
#include "efactura/EFacturaSource.h"
#include "maintenance/Discheta.h"
#include "maintenance/Stergeredocument.h"
#include "purchases/Bonfiscal.h"
#include "purchases/Chitantasimpla.h"
#include "purchases/Cumpararecombustibil.h"
#include "purchases/Facturiintrare.h"
#include "purchases/Importfacturi.h"
#include "purchases/Platachitanta.h"
#include "purchases/Plataordine.h"
#include "purchases/Platidiverse.h"
#include "reference/Casieri.h"
#include "reference/Defalcari.h"
#include "reference/Defalcariven.h"
#include "reports/CashRegister.h"
#include "reports/CumulativeCards.h"
#include "reports/DocumentLists.h"
#include "reports/Journals.h"
#include "reports/Reimprimarefactura.h"
#include "reports/Selectarefisa.h"
#include "reports/Selectperioada.h"
#include "reports/StareEFactura.h"
#include "sales/Chitantemulte.h"
#include "sales/EFacturaExport.h"
#include "sales/Facturi.h"
#include "sales/Incasarechitanta.h"
#include "sales/Incasareordine.h"
#include "sales/Opurimulte.h"
#include "ui/Globals.h"
#include "ui/Messages.h"

namespace {

const QString kInternational = QStringLiteral("International");

}  // namespace

TFormMain::TFormMain(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("FormMain"));
    setWindowTitle(QStringLiteral("Kovaline"));
    Terminate = [] {
        QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    };

    auto* panel1 = new QWidget(this);
    panel1->setObjectName(QStringLiteral("Panel1"));
    auto* layout = new QVBoxLayout(panel1);
    BitBtn1 = new QPushButton(panel1);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setFixedSize(65, 65);
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_FileIcon));
    BitBtn1->setIconSize(QSize(48, 48));
    layout->addWidget(BitBtn1, 0, Qt::AlignLeft | Qt::AlignTop);
    layout->addStretch();
    auto* panel2 = new QWidget(panel1);
    panel2->setObjectName(QStringLiteral("Panel2"));
    panel2->setFixedHeight(72);
    auto* bottom = new QHBoxLayout(panel2);
    bottom->addStretch();
    auto* image1 = new QLabel(QStringLiteral("Kovaline"), panel2);
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setFixedSize(207, 72);
    image1->setAlignment(Qt::AlignCenter);
    image1->setStyleSheet(
        QStringLiteral("font: bold 22pt; color: #1f4e79; border-top: 3px solid #1f4e79;"));
    bottom->addWidget(image1);
    layout->addWidget(panel2);
    setCentralWidget(panel1);

    statusPanel_ = new QLabel(this);
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->addWidget(statusPanel_, 1);
    buildMenu();

    kov::onEvent(BitBtn1, &QPushButton::clicked, this, &TFormMain::BitBtn1Click);

    Timer1.setInterval(1000);
    Timer1.setSingleShot(true);
    kov::onEvent(&Timer1, &QTimer::timeout, this, &TFormMain::Timer1Timer);

    const QString path = mainDatabasePath();
    try {
        Database1.open(path);
    } catch (const kov::DbError& e) {
        if (e.kind() != kov::DbError::Kind::Damaged) {
            throw;
        }
        // Nothing has touched the start-up copy yet: it is the last good state of the books.
        throw kov::DbError(
            QStringLiteral("Fisierul bazei de date %1 este deteriorat. Ultima copie buna a bazei "
                           "de date se afla in %2.")
                .arg(QDir::toNativeSeparators(path),
                     QDir::toNativeSeparators(QFileInfo(path).absolutePath() +
                                              QStringLiteral("/BackUp.mvn"))),
            kov::DbError::Kind::Damaged);
    }
}

TFormMain::~TFormMain() = default;

void TFormMain::buildMenu() {
    struct Item {
        const char* menu;
        const char* caption;  // nullptr: separator
        const char* component;
        Handler handler;  // nullptr: its window is not available yet
    };
    static const Item items[] = {
        {"Fisier", "Selectare firma", "Selectarefirma1", &TFormMain::Selectarefirma1Click},
        {"Fisier", "Adaugare/stergere firma", "Adaugarestergerefirma1",
         &TFormMain::Adaugarestergerefirma1Click},
        {"Fisier", "Date firma", "Datefirma1", &TFormMain::Datefirma1Click},
        {"Fisier", "Dosar e-Factura", "DosareFactura1", &TFormMain::DosareFactura1Click},
        {"Fisier", "Conectare e-Factura", "ConectareeFactura1",
         &TFormMain::ConectareeFactura1Click},
        {"Fisier", nullptr, nullptr, nullptr},
        {"Fisier", "Salvare pe discheta", "Salvarepedischeta1",
         &TFormMain::Salvarepedischeta1Click},
        {"Fisier", "Incarcare de pe discheta", "Incarcaredepedischeta1",
         &TFormMain::Incarcaredepedischeta1Click},
        {"Fisier", nullptr, nullptr, nullptr},
        {"Fisier", "Iesire", "Iesire1", &TFormMain::Iesire1Click},
        {"Incasari", "Eliberare/Introducere factura", "Eliberarefactura1",
         &TFormMain::Eliberarefactura1Click},
        {"Incasari", nullptr, nullptr, nullptr},
        {"Incasari", "Incasare ordine de plata", "Incasareordinedeplata1",
         &TFormMain::Incasareordinedeplata1Click},
        {"Incasari", "Incasare chitanta", "Incasarechitanta1", &TFormMain::Incasarechitanta1Click},
        {"Incasari", nullptr, nullptr, nullptr},
        {"Incasari", "Incasare mai multe chitante/factura", "Incasaremaimultechitantefactura1",
         &TFormMain::Incasaremaimultechitantefactura1Click},
        {"Incasari", "Incasare mai multe ordine/factura", "Incasaremaimulteordinefactura1",
         &TFormMain::Incasaremaimulteordinefactura1Click},
        {"Plati", "Facturi intrare", "Facturiintrare1", &TFormMain::Facturiintrare1Click},
        {"Plati", "Import e-Factura primite", "ImporteFacturaprimite1",
         &TFormMain::ImporteFacturaprimite1Click},
        {"Plati", "Import e-Factura primite din dosar", "ImporteFacturaprimitedindosar1",
         &TFormMain::ImporteFacturaprimitedindosar1Click},
        {"Plati", "Descarcare facturi primite", "Descarcarefacturiprimite1",
         &TFormMain::Descarcarefacturiprimite1Click},
        {"Plati", nullptr, nullptr, nullptr},
        {"Plati", "Cumparare combustibil", "Cumpararecombustibil1",
         &TFormMain::Cumpararecombustibil1Click},
        {"Plati", nullptr, nullptr, nullptr},
        {"Plati", "Plati diverse", "Platidiverse1", &TFormMain::Platidiverse1Click},
        {"Plati", nullptr, nullptr, nullptr},
        {"Plati", "Plata bon fiscal", "Platabonfiscal1", &TFormMain::Platabonfiscal1Click},
        {"Plati", "Plata chitanta simpla", "Platachitantasimpla1",
         &TFormMain::Platachitantasimpla1Click},
        {"Plati", nullptr, nullptr, nullptr},
        {"Plati", "Achitare ordin de plata", "AchitarecuOP1", &TFormMain::AchitarecuOP1Click},
        {"Plati", "Achitare chitanta", "Achitarechitanta1", &TFormMain::Achitarechitanta1Click},
        {"Operatiuni diverse", "Stergere document", "Stergeredocument1",
         &TFormMain::Stergeredocument1Click},
        {"Operatiuni diverse", nullptr, nullptr, nullptr},
        {"Operatiuni diverse", "Administrare defalcari cheltuieli", "Administraredefalcari1",
         &TFormMain::Administraredefalcari1Click},
        {"Operatiuni diverse", "Administrare defalcari venituri", "Administraredefalcarivenituri1",
         &TFormMain::Administraredefalcarivenituri1Click},
        {"Operatiuni diverse", nullptr, nullptr, nullptr},
        {"Operatiuni diverse", "Introducere CNP Casier", "IntroducereCNPCasier1",
         &TFormMain::IntroducereCNPCasier1Click},
        {"Rapoarte", "Jurnal de vanzari", "Jurnaldevanzari1", &TFormMain::Jurnaldevanzari1Click},
        {"Rapoarte", "Jurnal de cumparari", "Jurnaldecumparari1",
         &TFormMain::Jurnaldecumparari1Click},
        {"Rapoarte", "Registru jurnal de incasari si plati", "Registrujurnaldeincasarisiplati1",
         &TFormMain::Registrujurnaldeincasarisiplati1Click},
        {"Rapoarte", nullptr, nullptr, nullptr},
        {"Rapoarte/Fisa operatiuni diverse", "Venituri", "Venituri1", &TFormMain::Venituri1Click},
        {"Rapoarte/Fisa operatiuni diverse", "Cheltuieli", "Cheltuieli1",
         &TFormMain::Cheltuieli1Click},
        {"Rapoarte/Fise operatiuni diverse cumulate", "Venituri", "Venituri2",
         &TFormMain::Venituri2Click},
        {"Rapoarte/Fise operatiuni diverse cumulate", "Cheltuieli", "Cheltuieli2",
         &TFormMain::Cheltuieli2Click},
        {"Rapoarte", nullptr, nullptr, nullptr},
        {"Rapoarte", "Facturi iesire", "Facturieliberate1", &TFormMain::Facturieliberate1Click},
        {"Rapoarte", "Facturi intrare", "Facturiintrare2", &TFormMain::Facturiintrare2Click},
        {"Rapoarte", "Reimprimare factura", "Reimprimarefactura1",
         &TFormMain::Reimprimarefactura1Click},
        {"Rapoarte", nullptr, nullptr, nullptr},
        {"Rapoarte", "Chitante/ordine de plata achitate", "Chitanteordinedeplataachitate1",
         &TFormMain::Chitanteordinedeplataachitate1Click},
        {"Rapoarte", "Chitante/ordine de plata incasate", "Chitanteordinedeplataincasate1",
         &TFormMain::Chitanteordinedeplataincasate1Click},
        {"Rapoarte", nullptr, nullptr, nullptr},
        {"Rapoarte", "Export e-Factura", "ExporteFactura1", &TFormMain::ExporteFactura1Click},
        {"Rapoarte", "Trimitere e-Factura", "TrimitereeFactura1",
         &TFormMain::TrimitereeFactura1Click},
        {"Rapoarte", "Stare e-Factura", "StareeFactura1", &TFormMain::StareeFactura1Click},
    };
    std::map<QString, QMenu*> menus;
    for (const Item& item : items) {
        const QString path = QString::fromLatin1(item.menu);
        QMenu*& menu = menus[path];
        if (!menu) {
            const auto slash = path.lastIndexOf(u'/');
            menu = slash < 0 ? menuBar()->addMenu(path)
                             : menus[path.left(slash)]->addMenu(path.mid(slash + 1));
        }
        if (!item.caption) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(QString::fromLatin1(item.caption));
        action->setObjectName(QString::fromLatin1(item.component));
        action->setEnabled(item.handler != nullptr);
        if (item.handler) {
            kov::onEvent(action, &QAction::triggered, this, item.handler);
        }
        actions_[action->objectName()] = action;
    }
    enableCompanyCommands();
}

void TFormMain::enableCompanyCommands() {
    // Until a company is established every document would be written for none: only the
    // commands that choose or keep the companies, the e-Factura folder and leaving are open.
    static const QStringList always = {
        QStringLiteral("Selectarefirma1"), QStringLiteral("Adaugarestergerefirma1"),
        QStringLiteral("DosareFactura1"), QStringLiteral("ConectareeFactura1"),
        QStringLiteral("Iesire1")};
    const bool company = !SelectedFiscalCode.isEmpty();
    for (const auto& [name, action] : actions_) {
        if (!always.contains(name)) {
            action->setEnabled(company);
        }
    }
    BitBtn1->setEnabled(company);
}

QAction* TFormMain::action(const QString& component) const {
    const auto it = actions_.find(component);
    return it == actions_.end() ? nullptr : it->second;
}

QString TFormMain::statusText() const {
    return statusPanel_->text();
}

void TFormMain::setStatusText(const QString& text) {
    statusPanel_->setText(text);
    statusPanel_->repaint();
}

void TFormMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!started_) {
        started_ = true;
        // Let the window reach the screen before the start-up dialogs.
        QTimer::singleShot(0, this, [this] { kov::guarded([this] { Startup(); }); });
    }
}

void TFormMain::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    // Report previews are windows of their own; closing the main window still ends the run.
    Terminate();
}

bool TFormMain::checkRegionalSettings() {
    kov::SettingsStore store;
    if (!store.hasSection(kInternational)) {
        return true;
    }
    const std::pair<const char*, const char*> wanted[] = {
        {"sDate", "."}, {"sDecimal", "."}, {"sThousand", ","}, {"sShortDate", "dd.MM.yyyy"}};
    bool changed = false;
    for (const auto& [name, value] : wanted) {
        if (store.value(kInternational, QLatin1String(name)) != QLatin1String(value)) {
            store.setValue(kInternational, QLatin1String(name), QLatin1String(value));
            changed = true;
        }
    }
    if (changed) {
        kov::message(QStringLiteral("Aplicatia a modificat modul de afisare a datei in format "
                                    "dd.MM.yyyy si a numerelor in format #,##0.00. Aplicatia se "
                                    "va inchide. Va rog sa o reporniti."),
                     QStringLiteral("Atentie!"));
        Terminate();
    }
    return !changed;
}

void TFormMain::Startup() {
    try {
        if (!checkRegionalSettings()) {
            return;
        }
        Go();
    } catch (const kov::SettingsError&) {
        reportStartupError();
        return;
    }
    chooseCompany();
}

void reportStartupError(const std::exception& error) {
    if (dynamic_cast<const kov::SettingsError*>(&error)) {
        reportStartupError();
    } else {
        kov::showDefaultError(kov::errorText(error));
    }
}

void reportStartupError() {
    kov::message(QStringLiteral("Ceva la registrii!"), QStringLiteral("Eroare!"));
}

void TFormMain::Go() {
    try {
        kov::SettingsStore store;
        DatabasePath = store.value(kDataSource, QStringLiteral("DBQ"));
        if (kov::isServerLocation(DatabasePath)) {
            // The start-up copy is of a file; a server's books are saved with its own tools.
            setStatusText(QStringLiteral(
                "Baza de date este pe server: copia de la pornire (BackUp.mvn) nu se face; "
                "salvati serverul cu pg_dump."));
        } else {
            CopyPath = QFileInfo(DatabasePath).absolutePath() + QStringLiteral("/BackUp.mvn");
            Mesaj->Source = DatabasePath;
            Mesaj->Target = CopyPath;
            Mesaj->exec();
            if (!Mesaj->Copied) {
                throw kov::DbError(QStringLiteral("copia de pornire nu s-a facut"));
            }
        }
    } catch (const std::exception&) {
        kov::message(QStringLiteral("Nu s-a efectuat corect salvarea bazei de date!"),
                     QStringLiteral("Eroare la salvare!"));
    }
    // The data source always exists here: it is the settings store itself.
    try {
        if (!Database1.isOpen()) {
            Database1.open(DatabasePath);
        }
    } catch (const kov::DbError&) {
        // A failed reconnection is not reported; the first statement will say what is wrong.
    }
}

void TFormMain::chooseCompany() {
    kov::Query q;
    q.setSql(QStringLiteral("select * from datefirma"));
    q.open();
    if (q.recordCount() == 0) {
        // Nobody could start without a company: let the user add one first.
        FormAdaugModificFirmaNoua->exec();
        q.open();
    }
    if (q.recordCount() == 1) {
        SelectedFiscalCode = q.fieldByName(QStringLiteral("CODFISCAL")).asString();
        const QString description = q.fieldByName(QStringLiteral("DESCRIERE")).asString();
        const QString name = q.fieldByName(QStringLiteral("NUME")).asString();
        CompanyCaption = description.isEmpty() ? name : description + u' ' + name;
        setStatusText(CompanyCaption);
        enableCompanyCommands();
        return;
    }
    Timer1.start();
}

void TFormMain::Timer1Timer() {
    Timer1.stop();
    if (FormSelectFirma->exec() != QDialog::Accepted) {
        Terminate();
        return;
    }
    takeSelection(false);
}

void TFormMain::takeSelection(bool keepCaption) {
    SelectedFiscalCode = FormSelectFirma->ui.ComboBox3->currentText();
    const QString description = FormSelectFirma->ui.Edit1->text();
    const QString name = FormSelectFirma->ui.ComboBox2->currentText();
    const QString text = description.isEmpty() ? name : description + u' ' + name;
    setStatusText(text);
    enableCompanyCommands();
    if (keepCaption) {
        CompanyCaption = text;
    }
}

void TFormMain::Selectarefirma1Click() {
    if (FormSelectFirma->exec() == QDialog::Accepted) {
        takeSelection(true);
    }
}

void TFormMain::Adaugarestergerefirma1Click() {
    FormAdaugModificFirmaNoua->exec();
}

void TFormMain::Datefirma1Click() {
    FormDateFirma->exec();
}

void TFormMain::Iesire1Click() {
    Terminate();
}

void TFormMain::IntroducereCNPCasier1Click() {
    FormCasieri->exec();
}

void TFormMain::Administraredefalcari1Click() {
    FormDefalcari->exec();
}

void TFormMain::Administraredefalcarivenituri1Click() {
    FormDefalcariVenituri->exec();
}

void TFormMain::Incasareordinedeplata1Click() {
    FormIncasareOrdine->exec();
}

void TFormMain::Incasarechitanta1Click() {
    FormIncasareChitanta->exec();
}

void TFormMain::Incasaremaimultechitantefactura1Click() {
    FormChitanteMulte->exec();
}

void TFormMain::Incasaremaimulteordinefactura1Click() {
    FormOPuriMulte->exec();
}

void TFormMain::AchitarecuOP1Click() {
    FormPlataOrdine->exec();
}

void TFormMain::Achitarechitanta1Click() {
    FormPlataChitanta->exec();
}

void TFormMain::Facturiintrare1Click() {
    FormFacturaIntrare->exec();
}

void TFormMain::ImporteFacturaprimite1Click() {
    importReceivedFilesCommand(this);
}

void TFormMain::ImporteFacturaprimitedindosar1Click() {
    importReceivedFolderCommand(this);
}

void TFormMain::Cumpararecombustibil1Click() {
    FormCumparareCombustibil->exec();
}

void TFormMain::Platidiverse1Click() {
    FormPlatiDiverse->exec();
}

void TFormMain::Platabonfiscal1Click() {
    FormBonFiscal->exec();
}

void TFormMain::Platachitantasimpla1Click() {
    FormChitantaSimpla->exec();
}

void TFormMain::Eliberarefactura1Click() {
    FormFactura->exec();
}

void TFormMain::BitBtn1Click() {
    Eliberarefactura1Click();
}

kov::StatusLine TFormMain::statusLine() {
    return {[this] { return statusText(); }, [this](const QString& text) { setStatusText(text); }};
}

void TFormMain::Salvarepedischeta1Click() {
    kov::saveToFloppy(Database2, statusLine());
}

void TFormMain::Incarcaredepedischeta1Click() {
    kov::loadFromFloppy(Database2, statusLine());
}

void TFormMain::Stergeredocument1Click() {
    FormStergere->exec();
}

void TFormMain::Jurnaldevanzari1Click() {
    kov::reports::salesJournal();
}

void TFormMain::Jurnaldecumparari1Click() {
    kov::reports::purchaseJournal();
}

void TFormMain::Registrujurnaldeincasarisiplati1Click() {
    kov::reports::cashRegister();
}

void TFormMain::Venituri1Click() {
    FormSelectareFisa->CardKind = QStringLiteral("v");
    FormSelectareFisa->exec();
}

void TFormMain::Cheltuieli1Click() {
    FormSelectareFisa->CardKind = QStringLiteral("c");
    FormSelectareFisa->exec();
}

void TFormMain::Venituri2Click() {
    kov::reports::cumulativeCards(u'v');
}

void TFormMain::Cheltuieli2Click() {
    kov::reports::cumulativeCards(u'c');
}

void TFormMain::Facturieliberate1Click() {
    kov::reports::documentList(kov::reports::DocumentList::IssuedInvoices);
}

void TFormMain::Facturiintrare2Click() {
    kov::reports::documentList(kov::reports::DocumentList::ReceivedInvoices);
}

void TFormMain::Chitanteordinedeplataachitate1Click() {
    kov::reports::documentList(kov::reports::DocumentList::PaidReceipts);
}

void TFormMain::Chitanteordinedeplataincasate1Click() {
    kov::reports::documentList(kov::reports::DocumentList::CollectedReceipts);
}

void TFormMain::DosareFactura1Click() {
    kov::efactura::chooseFilesFolder(this);
}

void TFormMain::Reimprimarefactura1Click() {
    FormReimprimareFactura->exec();
}

// The period the user picks for the e-Factura commands; empty when cancelled.
static std::optional<QString> eFacturaPeriod() {
    if (FormSelectData->exec() != 1) {
        return std::nullopt;
    }
    return (FormSelectData->ui.RadioButton1->isChecked()
                ? kov::oneDay(FormSelectData->DateOn)
                : kov::dateRange(FormSelectData->DateFrom, FormSelectData->DateTo))
        .sql;
}

void TFormMain::ExporteFactura1Click() {
    if (const auto condition = eFacturaPeriod()) {
        kov::efactura::exportIssued(*condition);
    }
}

void TFormMain::ConectareeFactura1Click() {
    TFormConectareSPV(this).exec();
}

void TFormMain::TrimitereeFactura1Click() {
    if (const auto condition = eFacturaPeriod()) {
        kov::efactura::sendToPlatform(kov::efactura::issuedInvoices(SelectedFiscalCode, *condition),
                                      QStringLiteral("Trimitere e-Factura"));
    }
}

void TFormMain::StareeFactura1Click() {
    TFormStareEFactura window(this);
    window.fill();
    window.exec();
}

void TFormMain::Descarcarefacturiprimite1Click() {
    kov::efactura::downloadReceived(
        this, [this](const QStringList& files) { importReceivedInvoices(files, this); });
}

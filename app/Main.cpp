#include "app/Main.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>

#include "app/Adaugarefirmanoua.h"
#include "app/Formmessage.h"
#include "app/Globals.h"
#include "app/Messages.h"
#include "app/Selectarefirma.h"
#include "data/Query.h"
#include "data/Settings.h"
#include "reference/Casieri.h"
#include "reference/Defalcari.h"
#include "reference/Defalcariven.h"

namespace {

const QString kInternational = QStringLiteral("International");
const QString kDataSource = QStringLiteral("kodra");

// The database file: the one the data source names, or, on the first start, a new one.
QString mainDatabasePath() {
    kov::SettingsStore store;
    QString path = store.value(kDataSource, QStringLiteral("DBQ"));
    if (path.isEmpty()) {
        path = kov::defaultDatabasePath();
        if (!QFileInfo::exists(path)) {
            kov::createDatabaseFile(path);
        }
        store.setValue(kDataSource, QStringLiteral("DBQ"), path);
    }
    const QString templatePath = kov::installFile(QStringLiteral("BazaGoala.mdb"));
    if (!QFileInfo::exists(templatePath)) {
        kov::createDatabaseFile(templatePath);
    } else {
        kov::upgradeDatabaseFile(templatePath);  // restores copy it as it is
    }
    return path;
}

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
    BitBtn1->setEnabled(false);  // opens the invoice form once it exists
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

    Timer1.setInterval(1000);
    Timer1.setSingleShot(true);
    kov::onEvent(&Timer1, &QTimer::timeout, this, &TFormMain::Timer1Timer);

    Database1.open(mainDatabasePath());
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
        {"Fisier", nullptr, nullptr, nullptr},
        {"Fisier", "Salvare pe discheta", "Salvarepedischeta1", nullptr},
        {"Fisier", "Incarcare de pe discheta", "Incarcaredepedischeta1", nullptr},
        {"Fisier", nullptr, nullptr, nullptr},
        {"Fisier", "Iesire", "Iesire1", &TFormMain::Iesire1Click},
        {"Incasari", "Eliberare/Introducere factura", "Eliberarefactura1", nullptr},
        {"Incasari", nullptr, nullptr, nullptr},
        {"Incasari", "Incasare ordine de plata", "Incasareordinedeplata1", nullptr},
        {"Incasari", "Incasare chitanta", "Incasarechitanta1", nullptr},
        {"Incasari", nullptr, nullptr, nullptr},
        {"Incasari", "Incasare mai multe chitante/factura", "Incasaremaimultechitantefactura1",
         nullptr},
        {"Incasari", "Incasare mai multe ordine/factura", "Incasaremaimulteordinefactura1",
         nullptr},
        {"Plati", "Facturi intrare", "Facturiintrare1", nullptr},
        {"Plati", nullptr, nullptr, nullptr},
        {"Plati", "Cumparare combustibil", "Cumpararecombustibil1", nullptr},
        {"Plati", nullptr, nullptr, nullptr},
        {"Plati", "Plati diverse", "Platidiverse1", nullptr},
        {"Plati", nullptr, nullptr, nullptr},
        {"Plati", "Plata bon fiscal", "Platabonfiscal1", nullptr},
        {"Plati", "Plata chitanta simpla", "Platachitantasimpla1", nullptr},
        {"Plati", nullptr, nullptr, nullptr},
        {"Plati", "Achitare ordin de plata", "AchitarecuOP1", nullptr},
        {"Plati", "Achitare chitanta", "Achitarechitanta1", nullptr},
        {"Operatiuni diverse", "Stergere document", "Stergeredocument1", nullptr},
        {"Operatiuni diverse", nullptr, nullptr, nullptr},
        {"Operatiuni diverse", "Administrare defalcari cheltuieli", "Administraredefalcari1",
         &TFormMain::Administraredefalcari1Click},
        {"Operatiuni diverse", "Administrare defalcari venituri", "Administraredefalcarivenituri1",
         &TFormMain::Administraredefalcarivenituri1Click},
        {"Operatiuni diverse", nullptr, nullptr, nullptr},
        {"Operatiuni diverse", "Introducere CNP Casier", "IntroducereCNPCasier1",
         &TFormMain::IntroducereCNPCasier1Click},
        {"Rapoarte", "Jurnal de vanzari", "Jurnaldevanzari1", nullptr},
        {"Rapoarte", "Jurnal de cumparari", "Jurnaldecumparari1", nullptr},
        {"Rapoarte", "Registru jurnal de incasari si plati", "Registrujurnaldeincasarisiplati1",
         nullptr},
        {"Rapoarte", nullptr, nullptr, nullptr},
        {"Rapoarte/Fisa operatiuni diverse", "Venituri", "Venituri1", nullptr},
        {"Rapoarte/Fisa operatiuni diverse", "Cheltuieli", "Cheltuieli1", nullptr},
        {"Rapoarte/Fise operatiuni diverse cumulate", "Venituri", "Venituri2", nullptr},
        {"Rapoarte/Fise operatiuni diverse cumulate", "Cheltuieli", "Cheltuieli2", nullptr},
        {"Rapoarte", nullptr, nullptr, nullptr},
        {"Rapoarte", "Facturi iesire", "Facturieliberate1", nullptr},
        {"Rapoarte", "Facturi intrare", "Facturiintrare2", nullptr},
        {"Rapoarte", nullptr, nullptr, nullptr},
        {"Rapoarte", "Chitante/ordine de plata achitate", "Chitanteordinedeplataachitate1",
         nullptr},
        {"Rapoarte", "Chitante/ordine de plata incasate", "Chitanteordinedeplataincasate1",
         nullptr},
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
        CopyPath = QFileInfo(DatabasePath).absolutePath() + QStringLiteral("/BackUp.mvn");
        Mesaj->Source = DatabasePath;
        Mesaj->Target = CopyPath;
        Mesaj->exec();
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

#pragma once
// The main window: start-up sequence, the menu from which every window is reached, and the
// selected company in the status bar.

#include <QMainWindow>
#include <QTimer>
#include <exception>
#include <functional>
#include <map>

#include "data/Database.h"

class QAction;
class QLabel;
class QPushButton;
namespace kov {
struct StatusLine;
}

// Why the application cannot start: the settings store's message, or the engine's error.
void reportStartupError(const std::exception& error);
void reportStartupError();  // the settings store cannot be read or written

class TFormMain : public QMainWindow {
    Q_OBJECT
  public:
    // Connects the main database; throws the engine's error when it cannot be reached.
    explicit TFormMain(QWidget* parent = nullptr);
    ~TFormMain() override;

    kov::Database Database1{kov::kMainDatabase};
    kov::Database Database2{kov::kBackupDatabase};
    QTimer Timer1;
    QPushButton* BitBtn1 = nullptr;

    QString DatabasePath;    // the file that DBQ names
    QString CopyPath;        // its start-up copy
    QString CompanyCaption;  // last text shown in the status bar

    // Asks the application to end; replaceable so that tests can observe it.
    std::function<void()> Terminate;

    QAction* action(const QString& component) const;
    QString statusText() const;
    void setStatusText(const QString& text);

    void Startup();  // run once, when the window is first shown
    void Go();       // start-up copy, data source check, connection
    void Timer1Timer();
    void Selectarefirma1Click();
    void Adaugarestergerefirma1Click();
    void Datefirma1Click();
    void Iesire1Click();
    void IntroducereCNPCasier1Click();
    void Administraredefalcari1Click();
    void Administraredefalcarivenituri1Click();

    // Sales and collections
    void Incasareordinedeplata1Click();
    void Incasarechitanta1Click();
    void Incasaremaimultechitantefactura1Click();
    void Incasaremaimulteordinefactura1Click();
    void Eliberarefactura1Click();
    void BitBtn1Click();  // the picture button: the invoice, as Eliberarefactura1

    // Purchases and payments
    void AchitarecuOP1Click();
    void Achitarechitanta1Click();
    void Facturiintrare1Click();
    void ImporteFacturaprimite1Click();          // received e-Factura files chosen one by one
    void ImporteFacturaprimitedindosar1Click();  // or a folder of them
    void Cumpararecombustibil1Click();
    void Platidiverse1Click();
    void Platabonfiscal1Click();
    void Platachitantasimpla1Click();

    // Reports
    void Jurnaldevanzari1Click();
    void Jurnaldecumparari1Click();
    void Registrujurnaldeincasarisiplati1Click();
    void Venituri1Click();
    void Cheltuieli1Click();
    void Venituri2Click();
    void Cheltuieli2Click();
    void Facturieliberate1Click();
    void Facturiintrare2Click();
    void Chitanteordinedeplataachitate1Click();
    void Chitanteordinedeplataincasate1Click();
    void DosareFactura1Click();  // the folder of the e-Factura files
    void ExporteFactura1Click();
    void Reimprimarefactura1Click();
    // The e-Factura platform: connection, sending, states, received invoices
    void ConectareeFactura1Click();
    void TrimitereeFactura1Click();
    void StareeFactura1Click();
    void Descarcarefacturiprimite1Click();

    // Backup, restore and deletion
    void Salvarepedischeta1Click();
    void Incarcaredepedischeta1Click();
    void Stergeredocument1Click();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    using Handler = void (TFormMain::*)();
    void buildMenu();
    bool checkRegionalSettings();  // false when the settings were rewritten
    void chooseCompany();
    void takeSelection(bool keepCaption);
    // The commands that act on the selected company follow whether one is established.
    void enableCompanyCommands();
    kov::StatusLine statusLine();  // the status bar as the backup commands use it

    std::map<QString, QAction*> actions_;
    QLabel* statusPanel_ = nullptr;
    bool started_ = false;
};

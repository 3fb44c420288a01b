#pragma once
// "Import facturi primite": the received e-Factura files listed with what importing each would
// do, before anything is written; the ticked rows are recorded for the selected company.

#include <QStringList>
#include <vector>

#include "efactura/Import.h"
#include "ui/FormBase.h"

class QPushButton;
class QTreeWidget;

class TFormImportFacturi : public kov::FormDialog {
    Q_OBJECT
  public:
    explicit TFormImportFacturi(QWidget* parent = nullptr);

    QTreeWidget* ListView1;
    QPushButton* BitBtn1;  // Inregistrare
    QPushButton* BitBtn2;  // Renuntare
    QPushButton* BitBtn3;  // Vizualizare

    // Reads the files (folders stand for their files) for the selected company.
    void setFiles(const QStringList& filesOrFolders);
    const std::vector<kov::efactura::ImportItem>& items() const { return items_; }

    void BitBtn1Click();
    void BitBtn3Click();

  private:
    std::vector<kov::efactura::ImportItem> items_;
};

// Opens the window on the files; nothing happens for an empty list.
void importReceivedInvoices(const QStringList& filesOrFolders, QWidget* parent = nullptr);

// The menu commands: the files, or a folder, chosen by the user.
void importReceivedFilesCommand(QWidget* parent);
void importReceivedFolderCommand(QWidget* parent);

#include "purchases/Importfacturi.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "data/Values.h"
#include "efactura/Archive.h"
#include "purchases/ReceivedInvoiceView.h"
#include "ui/Globals.h"
#include "ui/Messages.h"

using kov::efactura::ImportItem;
using kov::efactura::ImportState;

namespace {

const QString kTitle = QStringLiteral("Import facturi primite");

QPushButton* button(const QString& caption, const char* name, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

// "Facturi inregistrate: N" and, one a line, each file left out and why.
QString closingText(const std::vector<ImportItem>& items, const std::vector<bool>& ticked) {
    int recorded = 0;
    QStringList skipped;
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].state == ImportState::Recorded) {
            ++recorded;
            if (!items[i].error.isEmpty()) {
                skipped << QFileInfo(items[i].file).fileName() + QStringLiteral(": ") +
                               items[i].error;
            }
            continue;
        }
        const QString why = items[i].state == ImportState::ToRecord && !ticked[i]
                                ? QStringLiteral("nebifata")
                                : kov::efactura::stateText(items[i]);
        skipped << QFileInfo(items[i].file).fileName() + QStringLiteral(": ") + why;
    }
    QString text = QStringLiteral("Facturi inregistrate: %1").arg(recorded);
    if (!skipped.isEmpty()) {
        text += QStringLiteral("\nNeinregistrate:\n") + skipped.join(u'\n');
    }
    return text;
}

}  // namespace

TFormImportFacturi::TFormImportFacturi(QWidget* parent) : kov::FormDialog(parent) {
    setObjectName(QStringLiteral("FormImportFacturi"));
    setWindowTitle(kTitle);
    resize(900, 420);
    auto* layout = new QVBoxLayout(this);
    ListView1 = new QTreeWidget(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setRootIsDecorated(false);
    ListView1->setHeaderLabels({QStringLiteral("Fisier"), QStringLiteral("Furnizor"),
                                QStringLiteral("Cod fiscal"), QStringLiteral("Numar"),
                                QStringLiteral("Data"), QStringLiteral("Total"),
                                QStringLiteral("TVA"), QStringLiteral("Stare")});
    ListView1->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(ListView1);
    auto* buttons = new QHBoxLayout;
    BitBtn1 = button(QStringLiteral("Inregistrare"), "BitBtn1", this);
    BitBtn3 = button(QStringLiteral("Vizualizare"), "BitBtn3", this);
    BitBtn2 = button(QStringLiteral("Renuntare"), "BitBtn2", this);
    buttons->addWidget(BitBtn3);
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    layout->addLayout(buttons);
    kov::onEvent(BitBtn1, &QPushButton::clicked, this, &TFormImportFacturi::BitBtn1Click);
    kov::onEvent(BitBtn3, &QPushButton::clicked, this, &TFormImportFacturi::BitBtn3Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormImportFacturi::setFiles(const QStringList& filesOrFolders) {
    items_ = kov::efactura::examineReceivedFiles(SelectedFiscalCode,
                                                 kov::efactura::receivedFiles(filesOrFolders));
    ListView1->clear();
    for (const ImportItem& item : items_) {
        QStringList cells{QFileInfo(item.file).fileName()};
        if (item.invoice) {
            const auto& invoice = *item.invoice;
            cells << invoice.supplier.name << invoice.supplier.fiscalCode << invoice.number
                  << kov::formatDate(invoice.date) << kov::formatAmount(invoice.total)
                  << kov::formatAmount(invoice.vat);
        } else {
            cells << QString() << QString() << QString() << QString() << QString() << QString();
        }
        cells << kov::efactura::stateText(item);
        auto* row = new QTreeWidgetItem(ListView1, cells);
        if (item.state == ImportState::ToRecord) {
            row->setCheckState(0, Qt::Checked);
        }
    }
    if (ListView1->topLevelItemCount() > 0) {
        ListView1->setCurrentItem(ListView1->topLevelItem(0));
    }
}

void TFormImportFacturi::BitBtn1Click() {
    const QString archive = kov::efactura::archiveFolder();
    std::vector<bool> ticked;
    for (size_t i = 0; i < items_.size(); ++i) {
        const bool on = ListView1->topLevelItem(static_cast<int>(i))->checkState(0) == Qt::Checked;
        ticked.push_back(on);
        if (on) {
            kov::efactura::recordReceivedFile(SelectedFiscalCode, items_[i], archive);
        }
    }
    kov::inform(closingText(items_, ticked), QStringLiteral("Informatie"));
    accept();
}

void TFormImportFacturi::BitBtn3Click() {
    const int row = ListView1->indexOfTopLevelItem(ListView1->currentItem());
    if (row < 0 || !items_[static_cast<size_t>(row)].invoice) {
        return;
    }
    showReceivedInvoice(*items_[static_cast<size_t>(row)].invoice);
}

void importReceivedInvoices(const QStringList& filesOrFolders, QWidget* parent) {
    if (filesOrFolders.isEmpty()) {
        return;
    }
    TFormImportFacturi window(parent);
    window.setFiles(filesOrFolders);
    window.exec();
}

void importReceivedFilesCommand(QWidget* parent) {
    QFileDialog dialog(parent, QStringLiteral("Alegeti fisierele e-Factura primite"));
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setNameFilter(QStringLiteral("Fisiere e-Factura (*.zip *.xml *.ZIP *.XML)"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (dialog.exec() == QDialog::Accepted) {
        importReceivedInvoices(dialog.selectedFiles(), parent);
    }
}

void importReceivedFolderCommand(QWidget* parent) {
    QFileDialog dialog(parent, QStringLiteral("Alegeti dosarul cu fisierele e-Factura primite"));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (dialog.exec() == QDialog::Accepted) {
        importReceivedInvoices(dialog.selectedFiles(), parent);
    }
}

#pragma once
// "Selectare document": the list from which the deletion window takes a document number. The
// caller fills ListView1, shows the window and, on result 1, reads ChosenNumber and the
// ChosenId of the document it stands for.

#include <QString>

#include "ui/FormBase.h"
#include "ui_Selectaredocument.h"

class QTreeWidgetItem;

class TFormSelectareDocument : public kov::FormDialog {
    Q_OBJECT
  public:
    explicit TFormSelectareDocument(QWidget* parent = nullptr);
    Ui::TFormSelectareDocument ui;

    QString ChosenNumber;    // first column of the row clicked last; empty for none
    long long ChosenId = 0;  // the document of that row; 0 for none

    void FormShow() override;
    void ListView1Click(QTreeWidgetItem* item);     // nullptr: a click outside the rows
    void ListView1DblClick(QTreeWidgetItem* item);  // closes with result 1 on a row
    void BitBtn4Click();                            // Acceptare

    void clearRows();
    void addRow(const QString& number, const QString& date, const QString& counterpart,
                long long id = 0);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

#include "app/Atentie.h"

#include <QStyle>

TFormAtentie::TFormAtentie(QWidget* parent) : kov::FormDialog(parent) {
    ui.setupUi(this);
    setFixedSize(size());
    ui.Image1->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
    // "Acceptare" is the yes result; "Renuntare" (also Escape) cancels.
    connect(ui.BitBtn2, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui.BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
    ui.BitBtn1->setDefault(true);
    ui.BitBtn1->setFocus();
}

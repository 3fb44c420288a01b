#include "app/Formmessage.h"

#include <QLabel>
#include <QVBoxLayout>

#include "data/Database.h"

bool CopiereBaza(const QString& source, const QString& target) {
    return kov::copyDatabaseFile(source, target);
}

TMesaj::TMesaj(QWidget* parent)
    : kov::FormDialog(parent, Qt::FramelessWindowHint | Qt::Dialog),
      Panel1(new QLabel(QStringLiteral("Asteptati, se salveaza baza de date ..."), this)) {
    setObjectName(QStringLiteral("Mesaj"));
    setFixedSize(230, 56);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setAlignment(Qt::AlignCenter);
    Panel1->setStyleSheet(QStringLiteral("background-color: aqua; color: black;"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Panel1);
    Timer1.setInterval(1000);
    Timer1.setSingleShot(true);
    connect(&Timer1, &QTimer::timeout, this, &QDialog::reject);
}

void TMesaj::FormShow() {
    Timer1.start();
    Copied = false;
    Copied = CopiereBaza(Source, Target);
}

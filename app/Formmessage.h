#pragma once
// The wait window shown while the start-up copy of the database is made.

#include <QTimer>
#include "ui/FormBase.h"

class QLabel;

// Copies a database file over the target; false when the copy failed (the target is then left
// as it was).
bool CopiereBaza(const QString& source, const QString& target);

class TMesaj : public kov::FormDialog {
    Q_OBJECT
  public:
    explicit TMesaj(QWidget* parent = nullptr);
    QString Source;  // set by the caller before showing
    QString Target;
    QTimer Timer1;
    QLabel* Panel1;
    bool Copied = false;  // the last showing's copy succeeded

    // Starts the timer that closes it and copies the file.
    void FormShow() override;
};

#pragma once
// Each issued invoice's state on the e-Factura platform, kept with the invoice (company,
// number, date) in the books.

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

namespace kov::efactura {

// The stored states: none yet, sent and waiting, accepted, refused by the checks after the
// upload, refused at the upload itself.
inline const QString kPending = QStringLiteral("in prelucrare");
inline const QString kAccepted = QStringLiteral("ok");
inline const QString kRejected = QStringLiteral("nok");
inline const QString kRefused = QStringLiteral("eroare");

struct InvoiceState {
    QString number;
    QDate date;
    QString file;
    QString uploadIndex;
    QString state;  // empty: not sent
    QString downloadId;
    QString errors;
    QDate sent;
    QDate asked;
    QString archive;  // the signed answer's path in the archive
};

std::optional<InvoiceState> loadState(const QString& fiscalCode, const QString& number,
                                      const QDate& date);

// The invoices whose answer is still to come: sent and waiting, accepted with the signed answer
// not yet in the archive, refused with the errors not yet read.
std::vector<InvoiceState> openStates(const QString& fiscalCode);

// Replaces the invoice's state.
void saveState(const QString& fiscalCode, const InvoiceState& state);

// "netrimisa", "in prelucrare", "acceptata", "respinsa: <errors>".
QString stateText(const std::optional<InvoiceState>& state);

// Whether the invoice still has to be sent: never sent, or refused.
bool needsSending(const std::optional<InvoiceState>& state);

}  // namespace kov::efactura

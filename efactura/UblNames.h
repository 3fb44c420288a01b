#pragma once
// The XML namespaces of the UBL 2.1 documents the e-Factura files are, written and read alike.

#include <QString>

namespace kov::efactura {

inline const QString kInvoiceNs =
    QStringLiteral("urn:oasis:names:specification:ubl:schema:xsd:Invoice-2");
inline const QString kCreditNoteNs =
    QStringLiteral("urn:oasis:names:specification:ubl:schema:xsd:CreditNote-2");
inline const QString kCac =
    QStringLiteral("urn:oasis:names:specification:ubl:schema:xsd:CommonAggregateComponents-2");
inline const QString kCbc =
    QStringLiteral("urn:oasis:names:specification:ubl:schema:xsd:CommonBasicComponents-2");

}  // namespace kov::efactura

#pragma once
// The four document lists: issued and received invoices, paid and collected receipts and
// payment orders of the selected company, for the day or range of days chosen in the period
// dialog.

#include "books/Lists.h"

namespace kov::reports {

using kov::DocumentList;

void documentList(DocumentList list);

}  // namespace kov::reports

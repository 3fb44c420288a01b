#pragma once
// A received invoice shown as the A4 invoice page: parties, lines, amounts per rate and totals.

#include "efactura/ReceivedFile.h"

// The page opens in the report preview, where it can be printed or saved.
void showReceivedInvoice(const kov::efactura::ReceivedInvoice& invoice);

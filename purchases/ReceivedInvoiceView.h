#pragma once
// A received invoice shown as a readable page: parties, lines, amounts per rate and totals.

#include "efactura/ReceivedFile.h"

class QWidget;

void showReceivedInvoice(const kov::efactura::ReceivedInvoice& invoice, QWidget* parent);

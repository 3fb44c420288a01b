#pragma once
// "kovaline efactura trimite|stare|primite --firma CODE ...": the work with the e-Factura
// platform for a scheduled run, without windows. One line per invoice on the output; why a run
// stopped on the errors. Exit 0 when nothing failed, 1 when something did, 2 for a wrong
// command.

#include <QStringList>
#include <QTextStream>

// The arguments after "efactura".
int runEFacturaCommand(const QStringList& args, QTextStream& out, QTextStream& err);

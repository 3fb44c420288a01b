#pragma once
// "kovaline import-efactura --firma CODE FILE...": received e-Factura files imported without
// windows into the books of the data source, one line per file and a total on standard output.

#include <QStringList>

// The arguments after the command's name. Returns the exit code: 0 when no file failed.
int runImportCommand(const QStringList& arguments);

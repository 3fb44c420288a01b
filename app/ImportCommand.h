#pragma once
// "kovaline import-efactura --firma CODE FILE...": received e-Factura files imported without
// windows into the books of the data source, one line per file and a total on standard output.

#include <QStringList>

// The arguments after the command's name. Returns the exit code: 0 when no file failed.
int runImportCommand(const QStringList& arguments);

class QTextStream;

// The own company of a fiscal code typed with or without "RO", as the books spell it; empty
// when the books hold no such company.
QString ownCompany(const QString& code);

// Imports the files into the company, one line per file and a total on the stream. Returns the
// number of files that failed.
int importFiles(const QString& company, const QStringList& files, QTextStream& out);

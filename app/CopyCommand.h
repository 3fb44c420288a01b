#pragma once
// "kovaline copiere-baza --din SURSA --in DESTINATIE": the books moved between a database file
// and a server (or two of either), without windows. One line per table with its rows and sums
// on both sides. Exit 0 when everything was copied and matches, 1 when nothing was written,
// 2 for a wrong command.

#include <QStringList>
#include <QTextStream>

// The arguments after "copiere-baza".
int runCopyCommand(const QStringList& args, QTextStream& out, QTextStream& err);

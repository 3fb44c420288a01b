#pragma once
// Qt's own texts (file and print dialogs, standard buttons, an edit field's context menu) in
// Romanian: the system has no Romanian translation of Qt, so the program carries one.

#include <QTranslator>

// Installs the translation on the running application; the translator must outlive its use.
bool installRomanian(QTranslator& translator);

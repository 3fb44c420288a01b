#pragma once
// What every window may read: the selected own company and the window globals. The windows
// are created once by createForms() and live until the application ends.

#include <QString>

class TFormMain;
class TFormSelectFirma;
class TFormAdaugModificFirmaNoua;
class TFormAtentie;
class TMesaj;

// CODFISCAL of the own company whose books are being kept; empty until one is chosen.
extern QString SelectedFiscalCode;

extern TFormMain* FormMain;
extern TFormSelectFirma* FormSelectFirma;
extern TFormAdaugModificFirmaNoua* FormAdaugModificFirmaNoua;
extern TFormAtentie* FormAtentie;
extern TMesaj* Mesaj;

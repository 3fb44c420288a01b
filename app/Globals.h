#pragma once
// What every window may read: the selected own company and the window globals. The windows
// are created once by createForms() and live until the application ends.

#include <QString>

class TFormMain;
class TFormSelectFirma;
class TFormAdaugareFirma;
class TFormProgress;
class TFormSelectLuna;
class TFormSelectData;
class TFormDefalcariVenituri;
class TFormAdaugModificFirmaNoua;
class TFormAtentie;
class TFormCasieri;
class TMesaj;
class TFormDefalcari;

// CODFISCAL of the own company whose books are being kept; empty until one is chosen.
extern QString SelectedFiscalCode;

extern TFormMain* FormMain;
extern TFormSelectFirma* FormSelectFirma;
extern TFormAdaugareFirma* FormAdaugareFirma;
extern TFormProgress* FormProgress;
extern TFormSelectLuna* FormSelectLuna;
extern TFormSelectData* FormSelectData;
extern TFormDefalcariVenituri* FormDefalcariVenituri;
extern TFormAdaugModificFirmaNoua* FormAdaugModificFirmaNoua;
extern TFormAtentie* FormAtentie;
extern TFormCasieri* FormCasieri;
extern TMesaj* Mesaj;
extern TFormDefalcari* FormDefalcari;

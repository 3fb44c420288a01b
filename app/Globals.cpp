#include "app/Globals.h"

QString SelectedFiscalCode;

TFormMain* FormMain = nullptr;
TFormSelectFirma* FormSelectFirma = nullptr;
TFormAdaugareFirma* FormAdaugareFirma = nullptr;
TFormProgress* FormProgress = nullptr;
TFormSelectLuna* FormSelectLuna = nullptr;
TFormSelectData* FormSelectData = nullptr;
TFormDefalcariVenituri* FormDefalcariVenituri = nullptr;
TFormAdaugModificFirmaNoua* FormAdaugModificFirmaNoua = nullptr;
TFormAtentie* FormAtentie = nullptr;
TFormCasieri* FormCasieri = nullptr;
TMesaj* Mesaj = nullptr;
TFormDefalcari* FormDefalcari = nullptr;

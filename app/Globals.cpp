#include "app/Globals.h"

QString SelectedFiscalCode;

TFormMain* FormMain = nullptr;
TFormSelectFirma* FormSelectFirma = nullptr;
TFormAdaugModificFirmaNoua* FormAdaugModificFirmaNoua = nullptr;
TFormAtentie* FormAtentie = nullptr;
TMesaj* Mesaj = nullptr;

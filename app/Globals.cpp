#include "app/Globals.h"

QString SelectedFiscalCode;

TFormMain* FormMain = nullptr;
TFormSelectFirma* FormSelectFirma = nullptr;
TFormAdaugareFirma* FormAdaugareFirma = nullptr;
TFormChitantaSimpla* FormChitantaSimpla = nullptr;
TFormCumparareCombustibil* FormCumparareCombustibil = nullptr;
TFormFactura* FormFactura = nullptr;
TFormFacturaIntrare* FormFacturaIntrare = nullptr;
TFormPlataChitanta* FormPlataChitanta = nullptr;
TFormPlataOrdine* FormPlataOrdine = nullptr;
TFormPlatiDiverse* FormPlatiDiverse = nullptr;
TFormProgress* FormProgress = nullptr;
TRaportFactura* RaportFactura = nullptr;
TRaportChitante* RaportChitante = nullptr;
TRaportJurnal* RaportJurnal = nullptr;
TRaportJurCumpN* RaportJurCumpN = nullptr;
TRaportOperatiuniDiverse* RaportOperatiuniDiverse = nullptr;
TFormSelectLuna* FormSelectLuna = nullptr;
TFormSelectData* FormSelectData = nullptr;
TRaportJurVanzN* RaportJurVanzN = nullptr;
TFormIncasareOrdine* FormIncasareOrdine = nullptr;
TFormIncasareChitanta* FormIncasareChitanta = nullptr;
TFormStergere* FormStergere = nullptr;
TFormSelectareDocument* FormSelectareDocument = nullptr;
TFormBonFiscal* FormBonFiscal = nullptr;
TFormDefalcariVenituri* FormDefalcariVenituri = nullptr;
TFormSelectareFisa* FormSelectareFisa = nullptr;
TRaportFiseCumulate* RaportFiseCumulate = nullptr;
TFormOPuriMulte* FormOPuriMulte = nullptr;
TFormChitanteMulte* FormChitanteMulte = nullptr;
TRaportFacturi* RaportFacturi = nullptr;
TFormAdaugModificFirmaNoua* FormAdaugModificFirmaNoua = nullptr;
TFormAtentie* FormAtentie = nullptr;
TFormCasieri* FormCasieri = nullptr;
TMesaj* Mesaj = nullptr;
TFormDefalcari* FormDefalcari = nullptr;

#pragma once
// What every window may read: the selected own company and the window globals. The windows
// and report forms are created once by createForms() and live until the application ends.

#include <QString>

class TFormMain;
class TFormSelectFirma;
class TFormAdaugareFirma;
class TFormChitantaSimpla;
class TFormCumparareCombustibil;
class TFormFactura;
class TFormFacturaIntrare;
class TFormPlataChitanta;
class TFormPlataOrdine;
class TFormPlatiDiverse;
class TFormProgress;
class TRaportFactura;
class TRaportChitante;
class TRaportJurnal;
class TRaportJurCumpN;
class TRaportOperatiuniDiverse;
class TFormSelectLuna;
class TFormSelectData;
class TRaportJurVanzN;
class TFormIncasareOrdine;
class TFormIncasareChitanta;
class TFormStergere;
class TFormSelectareDocument;
class TFormBonFiscal;
class TFormDefalcariVenituri;
class TFormSelectareFisa;
class TRaportFiseCumulate;
class TFormOPuriMulte;
class TFormChitanteMulte;
class TRaportFacturi;
class TFormAdaugModificFirmaNoua;
class TFormAtentie;
class TFormCasieri;
class TMesaj;
class TFormDefalcari;
class TFormDateFirma;
class TFormAlegereFactura;
class TRaportFacturaA4;
class TFormReimprimareFactura;

// CODFISCAL of the own company whose books are being kept; empty until one is chosen.
extern QString SelectedFiscalCode;

extern TFormMain* FormMain;
extern TFormSelectFirma* FormSelectFirma;
extern TFormAdaugareFirma* FormAdaugareFirma;
extern TFormChitantaSimpla* FormChitantaSimpla;
extern TFormCumparareCombustibil* FormCumparareCombustibil;
extern TFormFactura* FormFactura;
extern TFormFacturaIntrare* FormFacturaIntrare;
extern TFormPlataChitanta* FormPlataChitanta;
extern TFormPlataOrdine* FormPlataOrdine;
extern TFormPlatiDiverse* FormPlatiDiverse;
extern TFormProgress* FormProgress;
extern TRaportFactura* RaportFactura;
extern TRaportChitante* RaportChitante;
extern TRaportJurnal* RaportJurnal;
extern TRaportJurCumpN* RaportJurCumpN;
extern TRaportOperatiuniDiverse* RaportOperatiuniDiverse;
extern TFormSelectLuna* FormSelectLuna;
extern TFormSelectData* FormSelectData;
extern TRaportJurVanzN* RaportJurVanzN;
extern TFormIncasareOrdine* FormIncasareOrdine;
extern TFormIncasareChitanta* FormIncasareChitanta;
extern TFormStergere* FormStergere;
extern TFormSelectareDocument* FormSelectareDocument;
extern TFormBonFiscal* FormBonFiscal;
extern TFormDefalcariVenituri* FormDefalcariVenituri;
extern TFormSelectareFisa* FormSelectareFisa;
extern TRaportFiseCumulate* RaportFiseCumulate;
extern TFormOPuriMulte* FormOPuriMulte;
extern TFormChitanteMulte* FormChitanteMulte;
extern TRaportFacturi* RaportFacturi;
extern TFormAdaugModificFirmaNoua* FormAdaugModificFirmaNoua;
extern TFormAtentie* FormAtentie;
extern TFormCasieri* FormCasieri;
extern TMesaj* Mesaj;
extern TFormDefalcari* FormDefalcari;
extern TFormDateFirma* FormDateFirma;
extern TFormAlegereFactura* FormAlegereFactura;
extern TRaportFacturaA4* RaportFacturaA4;
extern TFormReimprimareFactura* FormReimprimareFactura;

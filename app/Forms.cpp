#include "app/Forms.h"

#include <QWidget>

#include "app/Adaugarefirmanoua.h"
#include "app/Atentie.h"
#include "app/Datefirma.h"
#include "app/Formmessage.h"
#include "app/Main.h"
#include "app/Selectarefirma.h"
#include "documents/Alegerefactura.h"
#include "documents/RaportFacturaA4.h"
#include "maintenance/Selectaredocument.h"
#include "maintenance/Stergeredocument.h"
#include "purchases/Bonfiscal.h"
#include "purchases/Chitantasimpla.h"
#include "purchases/Cumpararecombustibil.h"
#include "purchases/Facturiintrare.h"
#include "purchases/Platachitanta.h"
#include "purchases/Plataordine.h"
#include "purchases/Platidiverse.h"
#include "reference/Adaugfirma.h"
#include "reference/Casieri.h"
#include "reference/Defalcari.h"
#include "reference/Defalcariven.h"
#include "reports/RaportChitante.h"
#include "reports/RaportFacturi.h"
#include "reports/RaportFiseCumulate.h"
#include "reports/RaportJurCumpN.h"
#include "reports/RaportJurVanzN.h"
#include "reports/RaportJurnal.h"
#include "reports/RaportOperatiuniDiverse.h"
#include "reports/Reimprimarefactura.h"
#include "reports/Selectarefisa.h"
#include "reports/Selectluna.h"
#include "reports/Selectperioada.h"
#include "sales/Chitantemulte.h"
#include "sales/Facturi.h"
#include "sales/Incasarechitanta.h"
#include "sales/Incasareordine.h"
#include "sales/Opurimulte.h"
#include "sales/RaportFactura.h"
#include "ui/Globals.h"
#include "ui/Progress.h"

template <class Form>
void Forms::create(Form*& global) {
    auto form = std::make_unique<Form>();
    global = form.get();
    owned_.push_back(std::move(form));
    clear_.push_back([&global] { global = nullptr; });
}

Forms::Forms() {
    create(FormMain);
    create(FormSelectFirma);
    create(FormAdaugareFirma);
    create(FormChitantaSimpla);
    create(FormCumparareCombustibil);
    create(FormFactura);
    create(FormFacturaIntrare);
    create(FormPlataChitanta);
    create(FormPlataOrdine);
    create(FormPlatiDiverse);
    create(FormProgress);
    create(RaportFactura);
    create(RaportChitante);
    create(RaportJurnal);
    create(RaportJurCumpN);
    create(RaportOperatiuniDiverse);
    create(FormSelectLuna);
    create(FormSelectData);
    create(RaportJurVanzN);
    create(FormIncasareOrdine);
    create(FormIncasareChitanta);
    create(FormStergere);
    create(FormSelectareDocument);
    create(FormBonFiscal);
    create(FormDefalcariVenituri);
    create(FormSelectareFisa);
    create(RaportFiseCumulate);
    create(FormOPuriMulte);
    create(FormChitanteMulte);
    create(RaportFacturi);
    create(FormAdaugModificFirmaNoua);
    create(FormAtentie);
    create(FormCasieri);
    create(Mesaj);
    create(FormDefalcari);
    create(FormDateFirma);
    create(FormAlegereFactura);
    create(RaportFacturaA4);
    create(FormReimprimareFactura);
}

Forms::~Forms() {
    while (!owned_.empty()) {
        owned_.pop_back();
        clear_.back()();
        clear_.pop_back();
    }
}

std::unique_ptr<Forms> createForms() {
    return std::make_unique<Forms>();
}

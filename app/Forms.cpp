#include "app/Forms.h"

#include "app/Adaugarefirmanoua.h"
#include "app/Atentie.h"
#include "app/Formmessage.h"
#include "app/Globals.h"
#include "app/Main.h"
#include "app/Progress.h"
#include "app/Selectarefirma.h"
#include "reference/Adaugfirma.h"
#include "reference/Casieri.h"
#include "reference/Defalcari.h"
#include "reference/Defalcariven.h"
#include "reports/Selectluna.h"
#include "reports/Selectperioada.h"

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
    create(FormProgress);
    create(FormSelectLuna);
    create(FormSelectData);
    create(FormDefalcariVenituri);
    create(FormAdaugModificFirmaNoua);
    create(FormAtentie);
    create(FormCasieri);
    create(Mesaj);
    create(FormDefalcari);
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

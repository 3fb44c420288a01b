#pragma once
// Partner lookup: the three linked partner lists of a document window (ComboBox2 by code,
// ComboBox3 by fiscal code, ComboBox4 by name) and the details of the chosen partner.
//
// A window owns one PartnerLookup, built on its own widgets and a PartnerLookupConfig:
//
//     partners_ = new PartnerLookup({ui.GroupBox1, ui.ComboBox2, ui.ComboBox3, ui.ComboBox4,
//                                    ui.Button2, nullptr, {ui.Label2, ui.Label3, ui.Label4}},
//                                   {"Date furnizor", ui.Edit15, ui.Edit15, false}, this);
//     partners_->connectHandlers({.ComboBox2Exit = [this] { ComboBox2Exit(); }, ...});
//
// - The constructor sets the group caption and makes the lists pick-only (aqua, ten rows).
// - connectHandlers() runs each list's Exit handler when the focus leaves it (not when its
//   drop-down opens or the window loses activation), its Change handler when the user picks
//   an item, and Button2Click / Button3Click on the buttons; every handler runs through the
//   error guard. A handler left empty runs the lookup's own operation of the same name; the
//   window's handlers usually just forward to it.
// - load(): the window's opening step. Reloads the three lists from firme (no selection);
//   on a database error the lists stay as they were.
// - clearDetails(): empties the details except COD (invoice windows on opening and reset).
// - ComboBox2Exit / ComboBox3Exit / ComboBox4Exit (and the *Change twins): the lookup by code,
//   fiscal code, name. An empty list does nothing. Otherwise the first partner with the list's
//   text fills the details (all but the looked-up column, except that the name lookup fills
//   all twelve) and selects the same partner in the other two lists by value; no partner
//   found changes nothing. Then the focus moves to config.lookupFocus (if set).
// - Button2Click: FormAdaugareFirma in add mode; on OK reloads the lists, selects
//   NewPartnerCode and runs the code lookup, then focuses config.addFocus (if set).
// - Button3Click (windows with a Button3): FormAdaugareFirma in delegate mode on the code in
//   ComboBox2; nothing is refreshed afterwards.
// - setListsEnabled(): for windows whose lists follow a choice (config.canDisable): enables or
//   disables the lists, labels and buttons; disabling clears the three selections.
// Database errors are not caught here: the guard of the connected handler shows them.

#include <QObject>
#include <QString>
#include <array>
#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QWidget;

struct PartnerWidgets {
    QGroupBox* group = nullptr;
    QComboBox* ComboBox2 = nullptr;   // COD
    QComboBox* ComboBox3 = nullptr;   // CODFISCAL
    QComboBox* ComboBox4 = nullptr;   // DENUMIRE
    QPushButton* Button2 = nullptr;   // "Adaugare firma"
    QPushButton* Button3 = nullptr;   // "Modificare delegat"; nullptr where the window has none
    std::array<QLabel*, 3> labels{};  // the lists' labels (may be nullptr)
};

// What differs between the windows.
struct PartnerLookupConfig {
    QString groupCaption;
    QWidget* lookupFocus = nullptr;  // focus after a lookup; nullptr: unchanged
    QWidget* addFocus = nullptr;     // focus at the end of Button2Click; nullptr: unchanged
    bool canDisable = false;         // the lists follow a choice of the window
};

struct PartnerHandlers {
    std::function<void()> ComboBox2Exit{}, ComboBox3Exit{}, ComboBox4Exit{};
    std::function<void()> ComboBox2Change{}, ComboBox3Change{}, ComboBox4Change{};
    std::function<void()> Button2Click{}, Button3Click{};
};

// The lookup's events routed to a window's own handlers of the same names; a window with the
// delegate button adds its Button3Click.
template <class Window>
PartnerHandlers windowHandlers(Window* w) {
    return {.ComboBox2Exit = [w] { w->ComboBox2Exit(); },
            .ComboBox3Exit = [w] { w->ComboBox3Exit(); },
            .ComboBox4Exit = [w] { w->ComboBox4Exit(); },
            .ComboBox2Change = [w] { w->ComboBox2Change(); },
            .ComboBox3Change = [w] { w->ComboBox3Change(); },
            .ComboBox4Change = [w] { w->ComboBox4Change(); },
            .Button2Click = [w] { w->Button2Click(); }};
}

class PartnerLookup : public QObject {
    Q_OBJECT
  public:
    PartnerLookup(const PartnerWidgets& widgets, PartnerLookupConfig config, QObject* parent);

    // The chosen partner, one text per column of firme.
    QString COD, CODFISCAL, DENUMIRE, LOC, JUDET, CONTBANCA, DENBANCA, DELEGAT, BISERIA, BINR,
        TRANS, TRANSNR;

    void connectHandlers(const PartnerHandlers& handlers = {});
    void load();
    void clearDetails();
    void setListsEnabled(bool enabled);

    void ComboBox2Exit();
    void ComboBox3Exit();
    void ComboBox4Exit();
    void ComboBox2Change() { ComboBox2Exit(); }
    void ComboBox3Change() { ComboBox3Exit(); }
    void ComboBox4Change() { ComboBox4Exit(); }
    void Button2Click();
    void Button3Click();

    const PartnerWidgets& widgets() const { return w_; }
    const PartnerLookupConfig& config() const { return config_; }

  private:
    void lookup(QComboBox* list, const QString& column);
    void moveFocus(QWidget* target);

    PartnerWidgets w_;
    PartnerLookupConfig config_;
    std::array<std::function<void()>, 3> exits_;
    bool busy_ = false;
};

#pragma once
// The show pattern of every window: FormShow resets the window's fields whenever the program
// shows it. A window coming back from minimized is shown by the window system (a spontaneous
// show event) and keeps what the user typed.

#include <QDialog>
#include <QShowEvent>

#include "ui/Messages.h"

namespace kov {

template <class Base>
class ShowResets : public Base {
  public:
    using Base::Base;
    virtual void FormShow() {}

  protected:
    void showEvent(QShowEvent* event) override {
        Base::showEvent(event);
        if (!event->spontaneous()) {
            guarded([this] { FormShow(); });
        }
    }
};

using FormDialog = ShowResets<QDialog>;

}  // namespace kov

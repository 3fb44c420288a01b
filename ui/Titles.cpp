#include "ui/Titles.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

#ifdef KOVALINE_X11_TITLES
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#endif

namespace kov {

namespace {

#ifdef KOVALINE_X11_TITLES
xcb_atom_t atom(xcb_connection_t* connection, const char* name) {
    const auto cookie = xcb_intern_atom(connection, 0, static_cast<uint16_t>(strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t value = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return value;
}

// The title the window manager shows; the platform wrote the application's name there.
void clearTitle(const QWidget* window) {
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection()) {
        return;
    }
    xcb_connection_t* connection = x11->connection();
    static const xcb_atom_t name = atom(connection, "_NET_WM_NAME");
    static const xcb_atom_t utf8 = atom(connection, "UTF8_STRING");
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE,
                        static_cast<xcb_window_t>(window->internalWinId()), name, utf8, 8, 0,
                        nullptr);
    xcb_flush(connection);
}
#else
void clearTitle(const QWidget*) {}
#endif

class EmptyTitles : public QObject {
  public:
    using QObject::QObject;

  protected:
    // The platform writes a title when the window is created (just before it is shown) and
    // whenever it changes; both are followed by these events.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show || event->type() == QEvent::WindowTitleChange) {
            const auto* widget = qobject_cast<QWidget*>(watched);
            if (widget && widget->isWindow() && widget->windowTitle().isEmpty() &&
                widget->internalWinId()) {
                clearTitle(widget);
            }
        }
        return false;
    }
};

}  // namespace

void keepExactTitles() {
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        qApp->installEventFilter(new EmptyTitles(qApp));
    }
}

}  // namespace kov

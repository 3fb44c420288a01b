#include "ui/FocusExit.h"

#include <QFocusEvent>
#include <QWidget>

#include "ui/Messages.h"

namespace kov {

namespace {

class ExitFilter : public QObject {
  public:
    ExitFilter(QWidget* watched, std::function<void()> action, QObject* owner)
        : QObject(owner), action_(std::move(action)) {
        watched->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::FocusOut) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
                guarded(action_);
            }
        }
        return false;
    }

  private:
    std::function<void()> action_;
};

}  // namespace

void onExit(QWidget* widget, std::function<void()> action, QObject* owner) {
    new ExitFilter(widget, std::move(action), owner ? owner : widget);
}

}  // namespace kov

#pragma once
// The exit handlers of fields: the focus leaving a field for another widget of the application.

#include <functional>

class QObject;
class QWidget;

namespace kov {

// Runs the action (through the guard) whenever the focus leaves the widget for another widget
// of the application: not when another window comes to the front (a message box) nor when a
// drop-down opens. The handler lives as long as the owner (the widget when none is given):
// an action that uses another object passes that object.
void onExit(QWidget* widget, std::function<void()> action, QObject* owner = nullptr);

}  // namespace kov

#pragma once
// The progress window of the report commands. It has no logic of its own: the caller sets the
// text, shows it (not modal), sets the maximum, steps once per row and hides it, all while it
// keeps working on the GUI thread.

#include <QElapsedTimer>
#include "ui/FormBase.h"

#include "ui_Progress.h"

class TFormProgress : public kov::FormDialog {
    Q_OBJECT
  public:
    explicit TFormProgress(QWidget* parent = nullptr);
    Ui::TFormProgress ui;

    void setText(const QString& text);
    QString text() const;
    // A maximum of 0 (nothing to process) shows an empty gauge.
    void setMaximum(int maximum);
    int maximum() const { return maximum_; }
    void setPosition(int position);
    int position() const { return position_; }
    void step() { setPosition(position_ + 1); }

  private:
    void showPosition();
    // Lets the window paint while the caller holds the GUI thread; user input stays queued.
    void paintNow();

    int maximum_ = 0;
    int position_ = 0;
    QElapsedTimer lastPaint_;
};

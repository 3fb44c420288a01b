#pragma once
// The printable controls of a band. Positions and sizes are millimetres from the band's top
// left corner; a form sets the public members in its constructor.

#include <QRectF>
#include <QString>

#include "report_engine/Formula.h"
#include "report_engine/PageModel.h"
#include "report_engine/ReportTypes.h"

namespace kov::report {

class Control {
  public:
    Control(QString name, const QRectF& rect) : name(std::move(name)), rect(rect) {}
    virtual ~Control() = default;
    virtual ItemKind kind() const = 0;

    QString name;
    QRectF rect;
};

class TextControl : public Control {
  public:
    TextControl(QString name, const QRectF& rect, Font font, Align align)
        : Control(std::move(name), rect), font(std::move(font)), align(align) {}
    virtual QString text(const Context& context) const = 0;

    Font font;
    Align align;
    // Without word wrap: the width follows the text, anchored by the alignment. With word
    // wrap: the height grows to hold every line, and the band with it.
    bool autoSize = false;
    bool wordWrap = false;
};

// Fixed text; the program may replace the caption before previewing.
class Label final : public TextControl {
  public:
    Label(QString name, const QRectF& rect, QString caption, Font font, Align align)
        : TextControl(std::move(name), rect, std::move(font), align), caption(std::move(caption)) {}
    ItemKind kind() const override { return ItemKind::Label; }
    QString text(const Context&) const override { return caption; }

    QString caption;
};

// One field of the current row.
class DataText final : public TextControl {
  public:
    DataText(QString name, const QRectF& rect, QString field, Font font, Align align, Mask mask)
        : TextControl(std::move(name), rect, std::move(font), align),
          field(std::move(field)),
          mask(mask) {}
    ItemKind kind() const override { return ItemKind::DataText; }
    QString text(const Context& context) const override {
        return applyMask(context.field(field), mask);
    }

    QString field;
    Mask mask;
};

class Expression final : public TextControl {
  public:
    Expression(QString name, const QRectF& rect, const QString& source, Font font, Align align,
               Mask mask)
        : TextControl(std::move(name), rect, std::move(font), align), formula(source), mask(mask) {}
    ItemKind kind() const override { return ItemKind::Expression; }
    QString text(const Context& context) const override { return formula.evaluate(context, mask); }

    Formula formula;
    Mask mask;
};

// The running number of the detail line.
class SystemData final : public TextControl {
  public:
    SystemData(QString name, const QRectF& rect, Font font, Align align)
        : TextControl(std::move(name), rect, std::move(font), align) {}
    ItemKind kind() const override { return ItemKind::SystemData; }
    QString text(const Context& context) const override {
        return context.line > 0 ? QString::number(context.line) : QString();
    }
};

// A rectangle's outline, or a line through the middle of the rectangle given.
class Shape final : public Control {
  public:
    Shape(QString name, const QRectF& rect, ShapeKind shape, int penWidth);
    ItemKind kind() const override;

    ShapeKind shape;
    int penWidth;  // 1 or 2
};

}  // namespace kov::report

#include "report_engine/Controls.h"

namespace kov::report {

Shape::Shape(QString name, const QRectF& rect, ShapeKind shape, int penWidth)
    : Control(std::move(name), rect), shape(shape), penWidth(penWidth) {
    if (penWidth != 1 && penWidth != 2) {
        throw ReportError(QStringLiteral("Grosimea liniei %1 nu este 1 sau 2").arg(this->name));
    }
}

ItemKind Shape::kind() const {
    switch (shape) {
        case ShapeKind::Rectangle:
            return ItemKind::Rectangle;
        case ShapeKind::HorizontalLine:
            return ItemKind::HorizontalLine;
        case ShapeKind::VerticalLine:
            break;
    }
    return ItemKind::VerticalLine;
}

}  // namespace kov::report

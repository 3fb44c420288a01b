#include "report_engine/Band.h"

namespace kov::report {

Label& Band::addLabel(const QString& name, const QRectF& rect, const QString& caption,
                      const Font& font, Align align) {
    return add<Label>(name, rect, caption, font, align);
}

DataText& Band::addDataText(const QString& name, const QRectF& rect, const QString& field,
                            const Font& font, Align align, Mask mask) {
    return add<DataText>(name, rect, field, font, align, mask);
}

Expression& Band::addExpression(const QString& name, const QRectF& rect, const QString& source,
                                const Font& font, Align align, Mask mask) {
    return add<Expression>(name, rect, source, font, align, mask);
}

SystemData& Band::addSystemData(const QString& name, const QRectF& rect, const Font& font,
                                Align align) {
    return add<SystemData>(name, rect, font, align);
}

Shape& Band::addShape(const QString& name, const QRectF& rect, ShapeKind shape, int penWidth) {
    return add<Shape>(name, rect, shape, penWidth);
}

}  // namespace kov::report

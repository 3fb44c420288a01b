#pragma once
// A band of a report form and the controls placed on it.

#include <memory>
#include <vector>

#include "report_engine/Controls.h"

namespace kov::report {

class Band {
  public:
    Band(BandKind kind, double height) : height(height), kind_(kind) {}

    BandKind kind() const { return kind_; }
    double height;  // mm, at least; word-wrapped controls may stretch it

    Label& addLabel(const QString& name, const QRectF& rect, const QString& caption,
                    const Font& font = {}, Align align = Align::Left);
    DataText& addDataText(const QString& name, const QRectF& rect, const QString& field,
                          const Font& font = {}, Align align = Align::Left, Mask mask = Mask::None);
    Expression& addExpression(const QString& name, const QRectF& rect, const QString& source,
                              const Font& font = {}, Align align = Align::Left,
                              Mask mask = Mask::None);
    SystemData& addSystemData(const QString& name, const QRectF& rect, const Font& font = {},
                              Align align = Align::Right);
    Shape& addShape(const QString& name, const QRectF& rect, ShapeKind shape, int penWidth = 1);

    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }

  private:
    template <class T, class... Args>
    T& add(Args&&... args) {
        auto control = std::make_unique<T>(std::forward<Args>(args)...);
        T& ref = *control;
        controls_.push_back(std::move(control));
        return ref;
    }

    BandKind kind_;
    std::vector<std::unique_ptr<Control>> controls_;
};

}  // namespace kov::report

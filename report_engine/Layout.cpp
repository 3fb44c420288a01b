#include "report_engine/Layout.h"

#include <algorithm>

#include "data/Query.h"
#include "report_engine/ReportForm.h"
#include "report_engine/SheetBuilder.h"
#include "report_engine/TextMetrics.h"

namespace kov::report {

namespace {

constexpr double kSlack = 1e-6;

}  // namespace

// The layout as a walk that can stop after any row: begin() places the first page's top
// bands, each step() one detail row, the last step the summary and the last footer.
class Layouter {
  public:
    Layouter(const ReportForm& form, Query& rows) : form_(form), rows_(rows), sheet_(form) {}

    void begin();
    void step();
    bool done() const { return done_; }
    // The page being filled is complete only once the next one starts.
    int completePages() const { return model_.pageCount() - (done_ ? 0 : 1); }
    PageModel& model() { return model_; }

  private:
    struct Rendered {
        std::vector<PlacedItem> items;  // relative to the band's top left corner
        double height = 0.0;
    };

    Context context(int line, const QHash<QString, double>& sums) const;
    Rendered render(const Band& band, const Context& context);
    void shapeText(const TextControl& control, const Context& context, PlacedItem& item);
    void place(Rendered rendered, double top);
    bool fits(double height) const { return y_ + height <= bodyBottom_ + kSlack; }
    void startPage();
    void finishPage(bool last);
    void addRowToSums(QHash<QString, double>& sums) const;
    void placeDetail();
    void end();

    const ReportForm& form_;
    Query& rows_;
    TextMetrics metrics_;
    PageModel model_;
    SheetBuilder sheet_;
    QStringList sumFields_;
    QHash<QString, double> sums_;
    int line_ = 0;
    double y_ = 0.0;
    double bodyBottom_ = 0.0;
    bool pageHasBody_ = false;
    bool hasRows_ = false;
    bool done_ = false;
};

Context Layouter::context(int line, const QHash<QString, double>& sums) const {
    Context c;
    c.rows = rows_.isOpen() ? &rows_ : nullptr;
    c.dataSet = form_.dataSetName();
    c.sums = &sums;
    c.page = model_.pageCount();
    c.line = line;
    return c;
}

void Layouter::shapeText(const TextControl& control, const Context& context, PlacedItem& item) {
    item.text = control.text(context);
    item.font = control.font;
    item.align = control.align;
    item.lineHeight = metrics_.lineHeight(control.font);
    if (control.wordWrap) {
        item.lines = metrics_.wrap(control.font, item.text, item.rect.width());
    } else if (item.text.contains(u'\n')) {
        item.lines = item.text.split(u'\n');
    } else {
        item.lines = QStringList{item.text};
    }
    if (!control.autoSize) {
        return;
    }
    if (!control.wordWrap) {
        double width = 0.0;
        for (const QString& line : item.lines) {
            width = std::max(width, metrics_.width(control.font, line));
        }
        const double shift = item.rect.width() - width;
        if (control.align == Align::Right) {
            item.rect.setLeft(item.rect.left() + shift);
        } else if (control.align == Align::Center) {
            item.rect.translate(shift / 2, 0);
        }
        item.rect.setWidth(width);
    }
    item.rect.setHeight(std::max(item.rect.height(), item.lines.size() * item.lineHeight));
}

Layouter::Rendered Layouter::render(const Band& band, const Context& context) {
    Rendered out;
    out.height = band.height;
    out.items.reserve(band.controls().size());
    for (const auto& control : band.controls()) {
        PlacedItem item;
        item.kind = control->kind();
        item.band = band.kind();
        item.name = control->name;
        item.rect = control->rect;
        if (const auto* text = dynamic_cast<const TextControl*>(control.get())) {
            shapeText(*text, context, item);
            if (item.rect.height() > control->rect.height()) {
                out.height = std::max(out.height, item.rect.bottom());
            }
        } else if (const auto* shape = dynamic_cast<const Shape*>(control.get())) {
            item.penWidth = shape->penWidth;
        }
        out.items.push_back(std::move(item));
    }
    return out;
}

void Layouter::place(Rendered rendered, double top) {
    sheet_.take(rendered.items);
    std::vector<PlacedItem>& items = model_.pages.back().items;
    for (PlacedItem& item : rendered.items) {
        item.rect.translate(form_.margins().left(), top);
        items.push_back(std::move(item));
    }
}

void Layouter::startPage() {
    const bool first = model_.pages.empty();
    model_.pages.push_back(Page{model_.pageCount() + 1, {}});
    y_ = form_.margins().top();
    const Band* footer = form_.band(BandKind::PageFooter);
    bodyBottom_ =
        model_.paper.height() - form_.margins().bottom() - (footer ? footer->height : 0.0);
    pageHasBody_ = false;
    for (BandKind kind : {BandKind::Title, BandKind::ColumnHeader}) {
        const Band* band = form_.band(kind);
        if (band && (first || kind == BandKind::ColumnHeader)) {
            Rendered r = render(*band, context(line_, sums_));
            const double height = r.height;
            place(std::move(r), y_);
            y_ += height;
        }
    }
}

void Layouter::finishPage(bool last) {
    const Band* footer = form_.band(BandKind::PageFooter);
    if (footer && (!last || form_.footerOnLastPage())) {
        Rendered r = render(*footer, context(line_, sums_));
        const double top = model_.paper.height() - form_.margins().bottom() - r.height;
        place(std::move(r), top);
    }
}

void Layouter::addRowToSums(QHash<QString, double>& sums) const {
    for (const QString& field : sumFields_) {
        const QString text = rows_.fieldByName(field).asString();
        const auto value = amountOf(text);
        if (!value) {
            throw ReportError(
                QStringLiteral("Campul %1 nu contine un numar: '%2'").arg(field, text));
        }
        sums[field] += *value;
    }
}

void Layouter::begin() {
    model_.title = form_.title();
    model_.paper = form_.paper();
    hasRows_ = rows_.isOpen() && rows_.recordCount() > 0;
    if (!hasRows_ && !form_.printIfEmpty()) {
        done_ = true;
        return;
    }
    for (BandKind kind : {BandKind::Title, BandKind::ColumnHeader, BandKind::Detail,
                          BandKind::Summary, BandKind::PageFooter}) {
        if (const Band* band = form_.band(kind)) {
            for (const auto& control : band->controls()) {
                if (const auto* e = dynamic_cast<const Expression*>(control.get())) {
                    for (const QString& f : e->formula.sumFields()) {
                        if (!sumFields_.contains(f)) {
                            sumFields_ << f;
                        }
                    }
                }
            }
        }
    }
    if (rows_.isOpen()) {
        rows_.first();
    }
    startPage();
}

void Layouter::step() {
    if (hasRows_ && !rows_.eof()) {
        placeDetail();
        rows_.next();
    } else {
        end();
    }
}

void Layouter::placeDetail() {
    QHash<QString, double> withRow = sums_;
    addRowToSums(withRow);
    if (const Band* detail = form_.band(BandKind::Detail)) {
        Rendered r = render(*detail, context(line_ + 1, withRow));
        if (!fits(r.height) && pageHasBody_) {
            finishPage(false);
            startPage();
            r = render(*detail, context(line_ + 1, withRow));
        }
        const double height = r.height;
        place(std::move(r), y_);
        y_ += height;
        pageHasBody_ = true;
    }
    sums_ = std::move(withRow);
    ++line_;
}

void Layouter::end() {
    if (const Band* summary = form_.band(BandKind::Summary)) {
        Rendered r = render(*summary, context(line_, sums_));
        if (!fits(r.height) && pageHasBody_) {
            finishPage(false);
            startPage();
            r = render(*summary, context(line_, sums_));
        }
        const double height = r.height;
        place(std::move(r), y_);
        y_ += height;
    }
    finishPage(true);
    model_.sheet = sheet_.finish();
    done_ = true;
}

PageModel layoutReport(const ReportForm& form, Query& rows) {
    Layouter layouter(form, rows);
    layouter.begin();
    while (!layouter.done()) {
        layouter.step();
    }
    return std::move(layouter.model());
}

LayoutJob::LayoutJob(const ReportForm& form, const Query& rows)
    : rows_(std::make_unique<Query>(rows)), layouter_(std::make_unique<Layouter>(form, *rows_)) {
    layouter_->begin();
}

LayoutJob::~LayoutJob() = default;

void LayoutJob::advanceTo(int pages) {
    while (!layouter_->done() && layouter_->completePages() < pages) {
        layouter_->step();
    }
}

bool LayoutJob::done() const {
    return layouter_->done();
}

int LayoutJob::completePages() const {
    return layouter_->completePages();
}

const PageModel& LayoutJob::model() const {
    return layouter_->model();
}

}  // namespace kov::report

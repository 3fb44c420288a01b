#include "report_engine/SheetBuilder.h"

#include <algorithm>

#include "data/Values.h"
#include "report_engine/Controls.h"
#include "report_engine/ReportForm.h"

namespace kov::report {

namespace {

constexpr double kSlack = 1e-6;

// The band's text controls, top to bottom, then left to right.
std::vector<const TextControl*> textControls(const ReportForm& form, BandKind kind) {
    std::vector<const TextControl*> out;
    if (const Band* band = form.band(kind)) {
        for (const auto& control : band->controls()) {
            if (const auto* text = dynamic_cast<const TextControl*>(control.get())) {
                out.push_back(text);
            }
        }
    }
    std::stable_sort(out.begin(), out.end(), [](const TextControl* a, const TextControl* b) {
        return a->rect.top() < b->rect.top() ||
               (a->rect.top() == b->rect.top() && a->rect.left() < b->rect.left());
    });
    return out;
}

// Where the printed text stands: its left edge, its middle or its right edge.
double anchor(const TextControl& control) {
    switch (control.align) {
        case Align::Left:
            return control.rect.left();
        case Align::Center:
            return control.rect.center().x();
        case Align::Right:
            break;
    }
    return control.rect.right();
}

bool within(double x, double left, double right) {
    return x >= left - kSlack && x <= right + kSlack;
}

// The texts of rendered items by control name.
QHash<QString, QString> textsByName(const std::vector<PlacedItem>& items) {
    QHash<QString, QString> out;
    for (const PlacedItem& item : items) {
        if (item.isText()) {
            out.insert(item.name, item.text);
        }
    }
    return out;
}

// A caption printed over several lines, as one line: "inregis-" "trare" become "inregistrare".
QString joinLines(const QStringList& pieces) {
    QString out;
    for (const QString& raw : pieces) {
        const QString piece = raw.trimmed();
        if (piece.isEmpty()) {
            continue;
        }
        if (out.size() >= 2 && out.endsWith(u'-') && out[out.size() - 2].isLetter() &&
            piece[0].isLower()) {
            out.chop(1);
        } else if (!out.isEmpty()) {
            out += u' ';
        }
        out += piece;
    }
    return out;
}

}  // namespace

SheetBuilder::SheetBuilder(const ReportForm& form) {
    defineColumns(form);
    defineSummary(form);
    for (const TextControl* control : textControls(form, BandKind::Title)) {
        titleOrder_ << control->name;
    }
}

// Line numbers and masked amounts are numbers; a field may hold dates, which its values tell.
SheetBuilder::Kind SheetBuilder::kindOf(const TextControl& control) {
    const auto* data = dynamic_cast<const DataText*>(&control);
    const auto* expression = dynamic_cast<const Expression*>(&control);
    if (control.kind() == ItemKind::SystemData) {
        return Kind::Count;
    }
    if ((data && data->mask == Mask::Amount) || (expression && expression->mask == Mask::Amount)) {
        return Kind::Amount;
    }
    return data ? Kind::DateOrText : Kind::Text;
}

void SheetBuilder::defineColumns(const ReportForm& form) {
    std::vector<const TextControl*> detail = textControls(form, BandKind::Detail);
    std::stable_sort(detail.begin(), detail.end(),
                     [](const auto* a, const auto* b) { return a->rect.left() < b->rect.left(); });
    for (const TextControl* control : detail) {
        const Kind kind = kindOf(*control);
        detailColumns_.insert(control->name, static_cast<int>(columns_.size()));
        columns_.push_back({control->rect.left(), control->rect.right(), kind});
    }

    // A caption heads every column whose middle it spans; one that spans none heads the column
    // under its own middle, or, over a column the detail leaves blank, a column of its own.
    for (const TextControl* label : textControls(form, BandKind::ColumnHeader)) {
        std::vector<int> headed;
        for (size_t c = 0; c < columns_.size(); ++c) {
            const double middle = (columns_[c].left + columns_[c].right) / 2;
            if (within(middle, label->rect.left(), label->rect.right())) {
                headed.push_back(static_cast<int>(c));
            }
        }
        if (headed.empty()) {
            const double middle = label->rect.center().x();
            for (size_t c = 0; c < columns_.size() && headed.empty(); ++c) {
                if (within(middle, columns_[c].left, columns_[c].right)) {
                    headed.push_back(static_cast<int>(c));
                }
            }
        }
        if (headed.empty()) {
            headed.push_back(static_cast<int>(columns_.size()));
            columns_.push_back({label->rect.left(), label->rect.right(), Kind::Text});
        }
        headerOrder_.emplace_back(label->name, std::move(headed));
    }

    // Columns of their own came last; put every column in its place from left to right.
    std::vector<int> order(columns_.size());
    for (size_t i = 0; i < order.size(); ++i) {
        order[i] = static_cast<int>(i);
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return columns_[a].left < columns_[b].left; });
    std::vector<int> position(order.size());
    std::vector<Column> sorted;
    for (size_t i = 0; i < order.size(); ++i) {
        position[order[i]] = static_cast<int>(i);
        sorted.push_back(columns_[order[i]]);
    }
    columns_ = std::move(sorted);
    for (int& c : detailColumns_) {
        c = position[c];
    }
    for (auto& [name, headed] : headerOrder_) {
        for (int& c : headed) {
            c = position[c];
        }
    }
}

// Each summary text goes under the column where it is printed, on the line of the band it
// stands on.
void SheetBuilder::defineSummary(const ReportForm& form) {
    struct Placed {
        QString name;
        Slot slot;
        double left;
    };
    std::vector<Placed> placed;
    double lineTop = 0;
    double lineBottom = -1;
    for (const TextControl* control : textControls(form, BandKind::Summary)) {
        const double middle = control->rect.center().y();
        if (middle > lineBottom) {
            ++summaryLines_;
            lineTop = control->rect.top();
            lineBottom = std::max(control->rect.bottom(), lineTop);
        }
        Slot slot;
        slot.column = columnAt(anchor(*control));
        slot.row = summaryLines_ - 1;
        slot.kind = kindOf(*control);
        placed.push_back({control->name, slot, control->rect.left()});
    }
    std::stable_sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
        return a.slot.row < b.slot.row || (a.slot.row == b.slot.row && a.left < b.left);
    });
    for (Placed& p : placed) {
        summaryOrder_.emplace_back(std::move(p.name), p.slot);
    }
}

int SheetBuilder::columnAt(double x) const {
    int best = -1;
    double bestDistance = 0;
    for (size_t c = 0; c < columns_.size(); ++c) {
        const double distance = std::max({0.0, columns_[c].left - x, x - columns_[c].right});
        if (best < 0 || distance < bestDistance) {
            best = static_cast<int>(c);
            bestDistance = distance;
        }
    }
    return best;
}

SheetCell SheetBuilder::typed(const QString& text, Kind kind) const {
    SheetCell cell;
    cell.text = text;
    if (text.trimmed().isEmpty()) {
        return cell;
    }
    cell.type = CellType::Text;
    if (kind == Kind::Count) {
        bool ok = false;
        const long long n = text.trimmed().toLongLong(&ok);
        if (ok) {
            cell.type = CellType::Count;
            cell.number = static_cast<double>(n);
        }
    } else if (kind == Kind::Amount) {
        if (const auto value = amountOf(text)) {
            cell.type = CellType::Amount;
            cell.number = *value;
        }
    }
    return cell;
}

void SheetBuilder::take(const std::vector<PlacedItem>& items) {
    if (items.empty()) {
        return;
    }
    const size_t width = columns_.size();
    switch (items.front().band) {
        case BandKind::Title: {
            if (std::exchange(haveTitle_, true)) {
                return;
            }
            const QHash<QString, QString> texts = textsByName(items);
            for (const QString& name : titleOrder_) {
                const QString text = joinLines(texts.value(name).split(u'\n'));
                if (!text.isEmpty()) {
                    sheet_.heading << text;
                }
            }
            return;
        }
        case BandKind::ColumnHeader: {
            if (std::exchange(haveHeader_, true)) {
                return;
            }
            const QHash<QString, QString> texts = textsByName(items);
            std::vector<QStringList> pieces(width);
            for (const auto& [name, headed] : headerOrder_) {
                for (int c : headed) {
                    pieces[static_cast<size_t>(c)] << texts.value(name).split(u'\n');
                }
            }
            sheet_.header.clear();
            for (const QStringList& p : pieces) {
                sheet_.header << joinLines(p);
            }
            return;
        }
        case BandKind::Detail: {
            if (width == 0) {
                return;
            }
            SheetRow row(width);
            for (const PlacedItem& item : items) {
                const int c = item.isText() ? detailColumns_.value(item.name, -1) : -1;
                if (c >= 0) {
                    row[static_cast<size_t>(c)] = typed(item.text, columns_[c].kind);
                }
            }
            sheet_.rows.push_back(std::move(row));
            return;
        }
        case BandKind::Summary: {
            if (std::exchange(haveSummary_, true) || width == 0) {
                return;
            }
            const QHash<QString, QString> texts = textsByName(items);
            std::vector<SheetRow> lines(static_cast<size_t>(summaryLines_), SheetRow(width));
            for (const auto& [name, slot] : summaryOrder_) {
                const QString text = texts.value(name);
                if (slot.column < 0 || text.trimmed().isEmpty()) {
                    continue;
                }
                Kind kind = slot.kind == Kind::Count ? Kind::Count : Kind::Text;
                if (slot.kind == Kind::Amount || columns_[slot.column].kind == Kind::Amount) {
                    kind = Kind::Amount;
                }
                SheetCell& cell = lines[static_cast<size_t>(slot.row)][slot.column];
                if (cell.type == CellType::Empty) {
                    cell = typed(text, kind);
                } else {
                    cell = typed(cell.text + u' ' + text, Kind::Text);
                }
            }
            for (SheetRow& line : lines) {
                if (std::any_of(line.begin(), line.end(),
                                [](const SheetCell& c) { return c.type != CellType::Empty; })) {
                    sheet_.totals.push_back(std::move(line));
                }
            }
            return;
        }
        case BandKind::PageFooter:
            return;
    }
}

Sheet SheetBuilder::finish() {
    const auto width = static_cast<qsizetype>(columns_.size());
    sheet_.header.resize(width);
    // A field of the data set holds dates when every value printed in its column is one.
    for (qsizetype c = 0; c < width; ++c) {
        if (columns_[c].kind != Kind::DateOrText) {
            continue;
        }
        bool dates = false;
        bool others = false;
        for (const SheetRow& row : sheet_.rows) {
            if (row[c].type == CellType::Empty) {
                continue;
            }
            const auto date = parseDate(row[c].text);
            dates = dates || date.has_value();
            others = others || !date;
        }
        if (!dates || others) {
            continue;
        }
        for (SheetRow& row : sheet_.rows) {
            if (row[c].type != CellType::Empty) {
                row[c].type = CellType::Date;
                row[c].date = *parseDate(row[c].text);
            }
        }
    }
    return std::move(sheet_);
}

}  // namespace kov::report

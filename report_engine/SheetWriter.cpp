#include "report_engine/SheetWriter.h"

#include <xlsxwriter.h>

#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTemporaryDir>
#include <algorithm>
#include <array>

#include "data/Values.h"

namespace kov::report {

namespace {

enum class Role { Heading, Blank, Header, Detail, Total };

// Every row of the table in file order: the title texts and a blank line under them, the
// header, the detail lines and the totals. Both formats write these same rows.
template <class Visit>
void visitRows(const Sheet& sheet, Visit&& visit) {
    for (const QString& text : sheet.heading) {
        visit(Role::Heading, SheetRow{SheetCell{CellType::Text, text, 0, {}}});
    }
    if (!sheet.heading.isEmpty()) {
        visit(Role::Blank, SheetRow{});
    }
    SheetRow header;
    for (const QString& caption : sheet.header) {
        header.push_back({caption.isEmpty() ? CellType::Empty : CellType::Text, caption, 0, {}});
    }
    visit(Role::Header, header);
    for (const SheetRow& row : sheet.rows) {
        visit(Role::Detail, row);
    }
    for (const SheetRow& row : sheet.totals) {
        visit(Role::Total, row);
    }
}

bool commit(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

// ---- XLSX ----

constexpr double kMinWidth = 6;
constexpr double kMaxWidth = 60;
constexpr double kLineHeight = 15;  // points, one line of the default font
constexpr uint8_t kPaperA4 = 9;

// Characters the printed form of a cell takes; a header caption wraps, so its longest word.
qsizetype printedLength(const SheetCell& cell, Role role) {
    if (cell.type == CellType::Amount) {
        return displayAmount(cell.number).size();
    }
    qsizetype longest = 0;
    qsizetype run = 0;
    for (const QChar c : cell.text) {
        const bool breaks = c == u'\n' || (role == Role::Header && c.isSpace());
        run = breaks ? 0 : run + 1;
        longest = std::max(longest, run);
    }
    return longest;
}

// Lines a caption takes when wrapped at word breaks within a column this wide.
int wrappedLines(const QString& text, double width) {
    int lines = 1;
    qsizetype used = 0;
    for (const QString& word : text.split(u' ', Qt::SkipEmptyParts)) {
        if (used > 0 && used + 1 + word.size() > width - 1) {
            ++lines;
            used = 0;
        }
        used += (used > 0 ? 1 : 0) + word.size();
    }
    return lines;
}

// Excel's rules for a sheet name: at most 31 characters, none of []:*?/\, no quote at the ends.
QString sheetName(const QString& title) {
    static const QRegularExpression forbidden(QStringLiteral("[\\[\\]:*?/\\\\]"));
    QString name = QString(title).replace(forbidden, QStringLiteral(" ")).simplified();
    name.truncate(31);
    while (name.startsWith(u'\'') || name.endsWith(u'\'')) {
        name = name.startsWith(u'\'') ? name.mid(1) : name.chopped(1);
    }
    return name.trimmed().isEmpty() ? QStringLiteral("Raport") : name.trimmed();
}

// The workbook is freed on every path; close() reports whether the file came out whole. Rows
// go to disk as they are written, in order, with their texts inline, which keeps a long
// journal fast and its memory flat.
class Workbook {
  public:
    Workbook(const QString& path, const QString& scratch) : scratch_(QFile::encodeName(scratch)) {
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        options.tmpdir = scratch_.data();
        book_ = workbook_new_opt(QFile::encodeName(path).constData(), &options);
    }
    ~Workbook() {
        if (book_) {
            workbook_close(book_);
        }
    }
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    lxw_workbook* get() const { return book_; }
    bool close() { return workbook_close(std::exchange(book_, nullptr)) == LXW_NO_ERROR; }

  private:
    QByteArray scratch_;
    lxw_workbook* book_ = nullptr;
};

class XlsxSheet {
  public:
    XlsxSheet(lxw_workbook* book, const PageModel& model);
    bool write(const Sheet& sheet);

  private:
    lxw_format* format(CellType type, Role role) const {
        const bool strong = role == Role::Total || role == Role::Heading;
        return formats_[static_cast<size_t>(type)][strong ? 1 : 0];
    }
    bool writeCell(lxw_row_t row, lxw_col_t column, const SheetCell& cell, Role role);

    lxw_worksheet* sheet_ = nullptr;
    lxw_format* header_ = nullptr;
    std::array<std::array<lxw_format*, 2>, 5> formats_{};  // per cell type: plain, bold
};

XlsxSheet::XlsxSheet(lxw_workbook* book, const PageModel& model) {
    QByteArray name = sheetName(model.title).toUtf8();
    if (workbook_validate_sheet_name(book, name.constData()) != LXW_NO_ERROR) {
        name = "Raport";
    }
    sheet_ = workbook_add_worksheet(book, name.constData());
    // One format object per distinct look: the library looks a format up by its content on
    // every cell until that object has an index of its own, which a duplicate never gets.
    // Plain text takes the default format.
    const auto numeric = [&](const char* code, bool bold) {
        lxw_format* f = workbook_add_format(book);
        format_set_num_format(f, code);
        if (bold) {
            format_set_bold(f);
        }
        return f;
    };
    lxw_format* bold = workbook_add_format(book);
    format_set_bold(bold);
    formats_ = {{{nullptr, bold},
                 {nullptr, bold},
                 {numeric("#,##0.00", false), numeric("#,##0.00", true)},
                 {numeric("0", false), numeric("0", true)},
                 {numeric("dd.mm.yyyy", false), numeric("dd.mm.yyyy", true)}}};
    header_ = workbook_add_format(book);
    format_set_bold(header_);
    format_set_text_wrap(header_);
    format_set_align(header_, LXW_ALIGN_CENTER);
    format_set_align(header_, LXW_ALIGN_VERTICAL_CENTER);
    format_set_border(header_, LXW_BORDER_THIN);
    if (sheet_) {
        if (model.paper.width() > model.paper.height()) {
            worksheet_set_landscape(sheet_);
        } else {
            worksheet_set_portrait(sheet_);
        }
        worksheet_set_paper(sheet_, kPaperA4);
        worksheet_fit_to_pages(sheet_, 1, 0);
    }
}

bool XlsxSheet::writeCell(lxw_row_t row, lxw_col_t column, const SheetCell& cell, Role role) {
    lxw_format* f = role == Role::Header ? header_ : format(cell.type, role);
    switch (cell.type) {
        case CellType::Empty:
            return role != Role::Header ||
                   worksheet_write_blank(sheet_, row, column, f) == LXW_NO_ERROR;
        case CellType::Amount:
        case CellType::Count:
            return worksheet_write_number(sheet_, row, column, cell.number, f) == LXW_NO_ERROR;
        case CellType::Date:
            if (cell.date.year() >= 1900) {
                lxw_datetime when{cell.date.year(), cell.date.month(), cell.date.day(), 0, 0, 0};
                return worksheet_write_datetime(sheet_, row, column, &when, f) == LXW_NO_ERROR;
            }
            break;
        case CellType::Text:
            break;
    }
    const QByteArray text = cell.text.toUtf8();
    return worksheet_write_string(sheet_, row, column, text.constData(),
                                  role == Role::Header ? header_ : format(CellType::Text, role)) ==
           LXW_NO_ERROR;
}

bool XlsxSheet::write(const Sheet& sheet) {
    if (!sheet_) {
        return false;
    }
    // Rows are final once written, so the sizes come first.
    std::vector<double> widths(static_cast<size_t>(sheet.columnCount()), kMinWidth);
    visitRows(sheet, [&](Role role, const SheetRow& cells) {
        // Texts of the title and the totals run over the empty cells beside them; they size
        // no column.
        for (size_t c = 0; c < cells.size() && c < widths.size(); ++c) {
            const bool spills =
                role == Role::Heading || (role == Role::Total && cells[c].type == CellType::Text);
            if (!spills) {
                widths[c] = std::max(widths[c], printedLength(cells[c], role) + 2.0);
            }
        }
    });
    bool ok = true;
    int headerLines = 1;
    for (size_t c = 0; c < widths.size() && ok; ++c) {
        widths[c] = std::min(widths[c], kMaxWidth);
        headerLines = std::max(headerLines, wrappedLines(sheet.header[c], widths[c]));
        ok = worksheet_set_column(sheet_, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                                  widths[c], nullptr) == LXW_NO_ERROR;
    }
    lxw_row_t row = 0;
    visitRows(sheet, [&](Role role, const SheetRow& cells) {
        if (role == Role::Header && ok) {
            ok = worksheet_set_row(sheet_, row, headerLines * kLineHeight, nullptr) ==
                     LXW_NO_ERROR &&
                 worksheet_repeat_rows(sheet_, row, row) == LXW_NO_ERROR;
            worksheet_freeze_panes(sheet_, row + 1, 0);
        }
        for (size_t c = 0; c < cells.size() && ok; ++c) {
            ok = writeCell(row, static_cast<lxw_col_t>(c), cells[c], role);
        }
        ++row;
    });
    return ok;
}

}  // namespace

// ---- CSV ----

QString csvField(const SheetCell& cell) {
    switch (cell.type) {
        case CellType::Empty:
            return {};
        case CellType::Amount:
            return formatAmount(cell.number);
        case CellType::Count:
            return QString::number(static_cast<long long>(cell.number));
        case CellType::Date:
            return formatDate(cell.date);
        case CellType::Text:
            break;
    }
    // A spreadsheet opening the file would run a text that starts like a formula: such a text
    // gets a leading apostrophe, which shows it as text. A plain number stays a number.
    static const QString formulaStarts = QStringLiteral("=+-@\t\r");
    QString text = cell.text;
    if (!text.isEmpty() && formulaStarts.contains(text.front()) && !parseNumber(text)) {
        text.prepend(u'\'');
    }
    static const QRegularExpression special(QStringLiteral("[\",\\r\\n]"));
    if (!text.contains(special)) {
        return text;
    }
    return u'"' + text.replace(u'"', QStringLiteral("\"\"")) + u'"';
}

bool writeCsv(const QString& path, const PageModel& model) {
    QString text;
    const int width = std::max(1, model.sheet.columnCount());
    visitRows(model.sheet, [&](Role, const SheetRow& cells) {
        for (int c = 0; c < width; ++c) {
            if (c > 0) {
                text += u',';
            }
            if (static_cast<size_t>(c) < cells.size()) {
                text += csvField(cells[static_cast<size_t>(c)]);
            }
        }
        text += QStringLiteral("\r\n");
    });
    return commit(path, QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8());
}

bool writeXlsx(const QString& path, const PageModel& model) {
    // The library writes to a path of its own choosing; the file is built aside and then
    // replaces the target in one step.
    const QTemporaryDir scratch;
    if (!scratch.isValid()) {
        return false;
    }
    const QString built = scratch.filePath(QStringLiteral("raport.xlsx"));
    Workbook book(built, scratch.path());
    if (!book.get()) {
        return false;
    }
    XlsxSheet sheet(book.get(), model);
    if (!sheet.write(model.sheet) || !book.close()) {
        return false;
    }
    QFile file(built);
    return file.open(QIODevice::ReadOnly) && commit(path, file.readAll());
}

}  // namespace kov::report

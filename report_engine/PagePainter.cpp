#include "report_engine/PagePainter.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <algorithm>

#include "report_engine/TextMetrics.h"

namespace kov::report {

namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kPenMm = 0.25;  // pen width 1; width 2 is twice that

Qt::Alignment qtAlign(Align align) {
    switch (align) {
        case Align::Left:
            return Qt::AlignLeft;
        case Align::Center:
            return Qt::AlignHCenter;
        case Align::Right:
            break;
    }
    return Qt::AlignRight;
}

// The sheet as a page layout without margins: a paper wider than long is the portrait size
// turned, so that printers feed it as they know it.
QPageLayout sheetLayout(const PageModel& model) {
    const QSizeF paper = model.paper;
    const bool landscape = paper.width() > paper.height();
    const QSizeF portrait = landscape ? paper.transposed() : paper;
    return QPageLayout(QPageSize(portrait, QPageSize::Millimeter),
                       landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

void paintText(QPainter& painter, const PlacedItem& item) {
    // The font is resolved at the measuring resolution whatever the device (the painter turns
    // points into pixels at the device's resolution, hence the factor), so that glyphs advance
    // exactly as the layout measured them; the transform scales the result.
    QFont font = qtFont(item.font);
    font.setPointSizeF(item.font.size * kTextDpi / painter.device()->logicalDpiY());
    painter.setFont(font);
    const double unitsPerMm = kTextDpi / kMmPerInch;
    const int flags = qtAlign(item.align) | Qt::AlignTop | Qt::TextDontClip | Qt::TextSingleLine;
    for (qsizetype i = 0; i < item.lines.size(); ++i) {
        const QRectF line(item.rect.left() * unitsPerMm,
                          (item.rect.top() + i * item.lineHeight) * unitsPerMm,
                          item.rect.width() * unitsPerMm, item.lineHeight * unitsPerMm);
        painter.drawText(line, flags, item.lines[i]);
    }
}

void paintShape(QPainter& painter, const PlacedItem& item) {
    QPen pen(Qt::black, kPenMm * item.penWidth);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const QRectF& r = item.rect;
    switch (item.kind) {
        case ItemKind::Rectangle:
            painter.drawRect(r);
            break;
        case ItemKind::HorizontalLine:
            painter.drawLine(QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y()));
            break;
        case ItemKind::VerticalLine:
            painter.drawLine(QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.bottom()));
            break;
        default:
            break;
    }
}

}  // namespace

void mapMillimetres(QPainter& painter, double zoom) {
    const QPaintDevice* device = painter.device();
    painter.scale(device->logicalDpiX() / kMmPerInch * zoom,
                  device->logicalDpiY() / kMmPerInch * zoom);
}

void paintPage(QPainter& painter, const Page& page) {
    painter.save();
    const QTransform toDevice = painter.worldTransform();
    for (const PlacedItem& item : page.items) {
        if (!item.isText()) {
            paintShape(painter, item);
        }
    }
    painter.setWorldTransform(QTransform::fromScale(kMmPerInch / kTextDpi, kMmPerInch / kTextDpi) *
                              toDevice);
    painter.setPen(Qt::black);
    for (const PlacedItem& item : page.items) {
        if (item.isText() && !item.text.isEmpty()) {
            paintText(painter, item);
        }
    }
    painter.restore();
}

void preparePrinter(QPrinter& printer, const PageModel& model) {
    printer.setFullPage(true);
    printer.setPageLayout(sheetLayout(model));
    printer.setDocName(model.title.isEmpty() ? QStringLiteral("Raport") : model.title);
    printer.setCreator(QStringLiteral("Kovaline"));
}

bool printPages(QPagedPaintDevice& device, const PageModel& model, int from, int to) {
    const int count = model.pageCount();
    const int first = from > 0 ? std::min(from, count) : 1;
    const int last = to > 0 ? std::min(to, count) : count;
    if (count == 0 || first > last) {
        return false;
    }
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    for (int n = first; n <= last; ++n) {
        if (n > first && !device.newPage()) {
            return false;
        }
        painter.save();
        mapMillimetres(painter);
        paintPage(painter, model.pages[static_cast<size_t>(n - 1)]);
        painter.restore();
    }
    return painter.end();
}

bool writePdf(const QString& path, const PageModel& model) {
    QSaveFile file(path);
    if (model.pages.empty() || !file.open(QIODevice::WriteOnly)) {
        return false;
    }
    {
        QPdfWriter writer(&file);
        writer.setPageLayout(sheetLayout(model));
        writer.setTitle(model.title);
        writer.setCreator(QStringLiteral("Kovaline"));
        if (!printPages(writer, model)) {
            file.cancelWriting();
            return false;
        }
    }
    return file.commit();
}

QImage renderPage(const PageModel& model, int pageIndex, int dpi) {
    const double perMm = dpi / kMmPerInch;
    QImage image(qRound(model.paper.width() * perMm), qRound(model.paper.height() * perMm),
                 QImage::Format_ARGB32_Premultiplied);
    const int dotsPerMeter = qRound(dpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    QPainter painter(&image);
    mapMillimetres(painter);
    paintPage(painter, model.pages.at(static_cast<size_t>(pageIndex)));
    return image;
}

}  // namespace kov::report

#pragma once
// Painting the page model. Every output (the preview on screen, a printer, a PDF file) paints
// its pages through paintPage(); only the painter's transform differs.

#include <QImage>
#include <QString>

#include "report_engine/PageModel.h"

class QPainter;
class QPagedPaintDevice;
class QPrinter;

namespace kov::report {

// Scales the painter so that one unit is one millimetre on its device, times a zoom factor.
void mapMillimetres(QPainter& painter, double zoom = 1.0);

// Paints one page. The painter's coordinates must be millimetres from the paper's top left
// corner (mapMillimetres). The page background is the caller's.
void paintPage(QPainter& painter, const Page& page);

// The model's paper on a printer, printed from its very corner (positions are absolute: the
// invoice goes onto a pre-printed form).
void preparePrinter(QPrinter& printer, const PageModel& model);

// Pages from..to (1-based; 0 for all) onto a paged device; false when the device would not
// start.
bool printPages(QPagedPaintDevice& device, const PageModel& model, int from = 0, int to = 0);

// The whole model into a PDF file, which is replaced only once it is complete.
bool writePdf(const QString& path, const PageModel& model);

// One page on white at a resolution in dots per inch.
QImage renderPage(const PageModel& model, int pageIndex, int dpi);

}  // namespace kov::report

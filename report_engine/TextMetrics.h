#pragma once
// Text measured at one fixed resolution. Glyph advances do not scale linearly with the device
// resolution (up to 3 % apart between 96 and 720 dpi), so painting lays text out at this same
// resolution too and lets the painter's transform scale it: what the layout decided (line
// breaks, automatic widths, band heights) then holds on the screen, a printer and in a PDF.

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

#include "report_engine/ReportTypes.h"

namespace kov::report {

inline constexpr int kTextDpi = 720;  // ten units per point

// The Qt font that measuring and painting both use.
QFont qtFont(const Font& font);

class TextMetrics {
  public:
    TextMetrics();

    double width(const Font& font, const QString& text);  // mm
    double lineHeight(const Font& font);                  // mm
    // Breaks at blanks (a word wider than the width at characters) and at line feeds.
    QStringList wrap(const Font& font, const QString& text, double width);

  private:
    const QFontMetricsF& metrics(const Font& font);

    QImage reference_;
    std::vector<std::pair<Font, QFontMetricsF>> cache_;
};

}  // namespace kov::report

#include "report_engine/TextMetrics.h"

namespace kov::report {

namespace {

constexpr double kMmPerUnit = 25.4 / kTextDpi;
constexpr double kSlack = 1e-6;

}  // namespace

QFont qtFont(const Font& font) {
    QFont f(font.family);
    f.setPointSizeF(font.size);
    f.setBold(font.bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

TextMetrics::TextMetrics() : reference_(1, 1, QImage::Format_ARGB32_Premultiplied) {
    const int dotsPerMeter = qRound(kTextDpi / 0.0254);
    reference_.setDotsPerMeterX(dotsPerMeter);
    reference_.setDotsPerMeterY(dotsPerMeter);
}

const QFontMetricsF& TextMetrics::metrics(const Font& font) {
    for (const auto& [key, m] : cache_) {
        if (key == font) {
            return m;
        }
    }
    cache_.emplace_back(font, QFontMetricsF(qtFont(font), &reference_));
    return cache_.back().second;
}

double TextMetrics::width(const Font& font, const QString& text) {
    return metrics(font).horizontalAdvance(text) * kMmPerUnit;
}

double TextMetrics::lineHeight(const Font& font) {
    return metrics(font).lineSpacing() * kMmPerUnit;
}

QStringList TextMetrics::wrap(const Font& font, const QString& text, double width) {
    const auto fits = [&](const QString& s) { return this->width(font, s) <= width + kSlack; };
    QStringList out;
    for (const QString& paragraph : text.split(u'\n')) {
        const QStringList words = paragraph.split(u' ', Qt::SkipEmptyParts);
        QString line;
        for (const QString& word : words) {
            const QString candidate = line.isEmpty() ? word : line + u' ' + word;
            if (fits(candidate)) {
                line = candidate;
                continue;
            }
            if (!line.isEmpty()) {
                out << line;
            }
            line = word;
            while (line.size() > 1 && !fits(line)) {
                qsizetype keep = line.size() - 1;
                while (keep > 1 && !fits(line.left(keep))) {
                    --keep;
                }
                out << line.left(keep);
                line = line.mid(keep);
            }
        }
        out << line;
    }
    return out;
}

}  // namespace kov::report

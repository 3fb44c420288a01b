#pragma once
// What the report fills share: the progress they report while they work, the emptying of a
// scratch table, and the own company's header lines.

#include <QString>
#include <functional>

namespace kov {

// Called once with done 0 before the first row (not at all by a fill that finds nothing to do
// where it says so), then after each row with the rows done so far.
using FillProgress = std::function<void(int done, int total)>;
// Tells the progress when the caller gave one.
inline void tell(const FillProgress& progress, int done, int total) {
    if (progress) {
        progress(done, total);
    }
}

// Empties a scratch table ("delete from registru", or the dialect's "delete * from ...").
void emptyScratch(const QString& statement);

// The datefirma row of a company (empty texts when there is none).
struct CompanyHeader {
    QString description;
    QString name;
    bool vatPayer = false;
};
CompanyHeader companyHeader(const QString& fiscalCode);

}  // namespace kov

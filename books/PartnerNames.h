#pragma once
// The partner name a document list shows for a client code.

#include <QHash>
#include <QString>

namespace kov {

// A private person's code ("PF ...") stands for itself; a firm is shown by its name. Each code
// is looked up once per list.
class PartnerNames {
  public:
    QString of(const QString& code);

  private:
    QHash<QString, QString> names_;
};

}  // namespace kov

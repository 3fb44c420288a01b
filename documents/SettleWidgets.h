#pragma once
// Pieces the settling windows share: lists kept in text order, the breakdown category list and
// the question that ends each recording.

#include <QString>
#include <QStringList>

#include "books/Settlement.h"

class QComboBox;
class QDialog;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace kov {

// Adds a row (caption, then the sub-items) where the captions' text order puts it: "10"
// before "9".
QTreeWidgetItem* insertSorted(QTreeWidget* list, const QStringList& columns);

// The first row with exactly this caption, or nullptr.
QTreeWidgetItem* findRow(const QTreeWidget* list, const QString& caption);

// The captions in list order.
QStringList captions(const QTreeWidget* list);

// Refills a category list with the flow's categories by name, after the leading items.
void fillCategories(QComboBox* combo, const Flow& flow, const QStringList& leading = {});

// Asks whether another document follows. No closes the window with the OK result and returns
// false; Yes returns true and the caller resets the window.
bool anotherDocument(QDialog* window, Document document);

}  // namespace kov

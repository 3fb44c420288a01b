#pragma once
// Test support: a private home for each test, a database on a temporary file, and a driver
// that answers message boxes and modal dialogs as a user would.

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

#include "data/Database.h"

#include <ostream>

class QLineEdit;
class QTimer;

// Readable QString values in test failure messages.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList& l, std::ostream* os) {
    *os << '[' << l.join(QStringLiteral(", ")).toStdString() << ']';
}
class QWidget;

namespace kov::test {

// The books of the tests are on a database server (KOVALINE_TEST_BACKEND=postgresql, the
// server's base URI in KOVALINE_TEST_PG) rather than in a file. A test about the file itself
// skips there.
bool onServer();

// A schema of its own on the test server, dropped at the end; uri() opens the books in it.
class ServerSchema {
  public:
    ServerSchema();
    ~ServerSchema();
    ServerSchema(const ServerSchema&) = delete;
    ServerSchema& operator=(const ServerSchema&) = delete;
    const QString& uri() const { return uri_; }

  private:
    QString name_;
    QString uri_;
};

// Runs one statement on the main database (a test's own rows).
void runSql(const QString& sql);

// Replaces a field's text by typing it, as the user does.
void typeText(QLineEdit* edit, const QString& text);

// HOME, XDG_CONFIG_HOME and XDG_DATA_HOME point into a fresh temporary folder.
class TempHome {
  public:
    TempHome();
    ~TempHome();
    QString path(const QString& relative = {}) const;

  private:
    QTemporaryDir dir_;
    std::vector<std::pair<QByteArray, QByteArray>> saved_;
};

// A fresh main database ("kodra") with the schema, on a file in the temporary home, or in a
// fresh schema of the test server (onServer()); db().path() opens a second connection to it.
class TempDatabase {
  public:
    explicit TempDatabase(const QString& name = kMainDatabase);
    ~TempDatabase();
    TempDatabase(const TempDatabase&) = delete;
    TempDatabase& operator=(const TempDatabase&) = delete;
    Database& db() { return db_; }
    // Runs a statement straight on the connection (test set-up).
    void exec(const QString& sql);
    // Every insert into the table fails from now on with this engine text (a full disk).
    void failInserts(const QString& table, const QString& text);
    // The rows of a select, each row's columns in plain text form joined by "|".
    QStringList rows(const QString& sql);
    QString value(const QString& sql);  // first column of the first row

  private:
    TempHome home_;
    std::unique_ptr<ServerSchema> schema_;
    Database db_;
};

// The rows of a select on a named database, columns in plain text form joined by "|".
QStringList rows(const QString& databaseName, const QString& sql);

struct Box {
    QString title;
    QString text;
    bool expected;  // false: nobody queued an answer for it
    int icon = 0;   // QMessageBox::Icon
};

// Answers modal widgets as they appear: each queued answer serves the next one.
class Modals {
  public:
    Modals();
    ~Modals();
    // Click the button with this caption on the next modal widget.
    Modals& answer(const QString& caption);
    // Hand the next modal widget to an action (fill fields, click a button).
    Modals& handle(std::function<void(QWidget*)> action);
    const std::vector<Box>& boxes() const { return boxes_; }
    QStringList texts() const;
    size_t pending() const { return queue_.size(); }
    void clear() { boxes_.clear(); }

  private:
    void poll();

    std::unique_ptr<QTimer> timer_;
    std::deque<std::function<void(QWidget*)>> queue_;
    std::vector<Box> boxes_;
    QWidget* last_ = nullptr;
    std::vector<QWidget*> busy_;
};

// Which of the widgets are enabled, as "1" / "0" each, in order ("100": only the first).
QString enabledMask(std::initializer_list<const QWidget*> widgets);

// Clicks the button with this caption among the widget's children.
void click(QWidget* parent, const QString& caption);

// Processes events until the condition holds or the time runs out.
bool waitFor(const std::function<bool()>& condition, int timeoutMs = 5000);

}  // namespace kov::test

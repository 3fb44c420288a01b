#include "tests/Support.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <atomic>

#include <libpq-fe.h>

#include "data/Query.h"
#include "data/Values.h"

namespace kov::test {

void runSql(const QString& sql) {
    Query q;
    q.setSql(sql);
    q.execSql();
}

void typeText(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->clear();
    QTest::keyClicks(edit, text);
}

TempHome::TempHome() {
    for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"}) {
        saved_.emplace_back(name, qgetenv(name));
    }
    qputenv("HOME", dir_.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (dir_.path() + "/config").toUtf8());
    qputenv("XDG_DATA_HOME", (dir_.path() + "/data").toUtf8());
}

TempHome::~TempHome() {
    for (const auto& [name, value] : saved_) {
        qputenv(name.constData(), value);
    }
}

QString TempHome::path(const QString& relative) const {
    return relative.isEmpty() ? dir_.path() : dir_.path() + u'/' + relative;
}

bool onServer() {
    return qEnvironmentVariable("KOVALINE_TEST_BACKEND") == QLatin1String("postgresql");
}

namespace {

// Runs one statement on the test server outside the books (making and dropping schemas).
void onTestServer(const QString& sql) {
    PGconn* conn = PQconnectdb(qEnvironmentVariable("KOVALINE_TEST_PG").toUtf8().constData());
    PQsetNoticeProcessor(
        conn, [](void*, const char*) {}, nullptr);
    PGresult* r =
        PQstatus(conn) == CONNECTION_OK ? PQexec(conn, sql.toUtf8().constData()) : nullptr;
    const bool ok = r && PQresultStatus(r) == PGRES_COMMAND_OK;
    if (!ok) {
        ADD_FAILURE() << "test server: " << PQerrorMessage(conn);
    }
    PQclear(r);
    PQfinish(conn);
}

}  // namespace

ServerSchema::ServerSchema() {
    static std::atomic<int> counter{0};
    name_ = QStringLiteral("kovtest_%1_%2").arg(QCoreApplication::applicationPid()).arg(++counter);
    onTestServer(QStringLiteral("CREATE SCHEMA ") + name_);
    const QString base = qEnvironmentVariable("KOVALINE_TEST_PG");
    uri_ = base + (base.contains(u'?') ? u'&' : u'?') + QStringLiteral("options=-csearch_path%3D") +
           name_;
}

ServerSchema::~ServerSchema() {
    onTestServer(QStringLiteral("DROP SCHEMA %1 CASCADE").arg(name_));
}

TempDatabase::TempDatabase(const QString& name) : db_(name) {
    if (onServer()) {
        schema_ = std::make_unique<ServerSchema>();
        db_.open(schema_->uri(), true);
        return;
    }
    db_.open(home_.path(QStringLiteral("test.db")), true);
}

TempDatabase::~TempDatabase() {
    db_.close();  // before its schema goes
}

void TempDatabase::exec(const QString& sql) {
    db_.execute(sql);
}

void TempDatabase::failInserts(const QString& table, const QString& text) {
    if (onServer()) {
        const QString body = QStringLiteral("begin raise exception %1; end").arg(quoted(text));
        exec(QStringLiteral("create function kov_fail_%1() returns trigger language plpgsql as %2")
                 .arg(table, quoted(body)));
        exec(QStringLiteral("create trigger kov_fail before insert on %1 for each row execute "
                            "function kov_fail_%1()")
                 .arg(table));
        return;
    }
    exec(QStringLiteral("create trigger kov_fail before insert on %1 begin "
                        "select raise(abort, %2); end")
             .arg(table, quoted(text)));
}

QStringList TempDatabase::rows(const QString& sql) {
    return test::rows(db_.name(), sql);
}

QStringList rows(const QString& databaseName, const QString& sql) {
    Query q(databaseName);
    q.setSql(sql);
    q.open();
    QStringList out;
    for (; !q.eof(); q.next()) {
        QStringList row;
        for (int c = 0; c < q.fieldNames().size(); ++c) {
            row << q.field(c).asString();
        }
        out << row.join(u'|');
    }
    return out;
}

QString TempDatabase::value(const QString& sql) {
    const QStringList r = rows(sql);
    return r.isEmpty() ? QString() : r.first().section(u'|', 0, 0);
}

QString enabledMask(std::initializer_list<const QWidget*> widgets) {
    QString out;
    for (const QWidget* w : widgets) {
        out += w->isEnabled() ? u'1' : u'0';
    }
    return out;
}

void click(QWidget* parent, const QString& caption) {
    for (auto* button : parent->findChildren<QAbstractButton*>()) {
        if (button->text().remove(u'&') == caption && button->isVisible()) {
            button->click();
            return;
        }
    }
    ADD_FAILURE() << "no button captioned " << caption.toStdString();
}

Modals::Modals() : timer_(std::make_unique<QTimer>()) {
    timer_->setInterval(5);
    QObject::connect(timer_.get(), &QTimer::timeout, [this] { poll(); });
    timer_->start();
}

Modals::~Modals() = default;

Modals& Modals::answer(const QString& caption) {
    queue_.push_back([caption](QWidget* w) { click(w, caption); });
    return *this;
}

Modals& Modals::handle(std::function<void(QWidget*)> action) {
    queue_.push_back(std::move(action));
    return *this;
}

QStringList Modals::texts() const {
    QStringList out;
    for (const Box& b : boxes_) {
        out << b.text;
    }
    return out;
}

void Modals::poll() {
    QWidget* w = QApplication::activeModalWidget();
    if (!w || !w->isVisible() || w == last_ ||
        std::find(busy_.begin(), busy_.end(), w) != busy_.end()) {
        return;
    }
    // A window without buttons (the start-up wait window) closes by itself.
    if (w->findChildren<QAbstractButton*>().isEmpty()) {
        return;
    }
    last_ = w;
    const bool expected = !queue_.empty();
    if (auto* box = qobject_cast<QMessageBox*>(w)) {
        boxes_.push_back({box->windowTitle(), box->text(), expected, box->icon()});
    }
    // Act outside the timer's slot: Qt does not fire a timer again while its slot runs, so a
    // box that the action opens could not be answered from here.
    QPointer<QWidget> widget(w);
    QTimer::singleShot(0, timer_.get(), [this, widget, expected] {
        if (!widget) {
            last_ = nullptr;
            return;
        }
        if (expected && !queue_.empty()) {
            auto action = std::move(queue_.front());
            queue_.pop_front();
            // While its action runs (and answers boxes it opens), the widget is not new again.
            QWidget* raw = widget.data();
            busy_.push_back(raw);
            action(raw);
            busy_.erase(std::remove(busy_.begin(), busy_.end(), raw), busy_.end());
        } else if (auto* dialog = qobject_cast<QDialog*>(widget.data())) {
            dialog->reject();
        }
        // A widget seen once may come back later (dialogs are reused): forget it once closed.
        if (!widget || !widget->isVisible()) {
            last_ = nullptr;
        }
    });
}

bool waitFor(const std::function<bool()>& condition, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > timeoutMs) {
            return false;
        }
        QTest::qWait(5);
    }
    return true;
}

}  // namespace kov::test

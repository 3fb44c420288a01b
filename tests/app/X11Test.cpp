// Titles and restored windows as a real X server holds them. The program starts its own Xvfb
// on a display the server finds free, and reads the titles back with xprop, as a window
// manager would read them. Without Xvfb every test is skipped with a message.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QLineEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <cstdio>

#include "app/Adaugarefirmanoua.h"
#include "reference/Adaugfirma.h"
#include "reports/Selectluna.h"
#include "tests/app/AppFixture.h"
#include "ui/Messages.h"
#include "ui/Titles.h"

extern char** environ;

namespace {

QByteArray display;  // empty: no X server, the tests skip

// An X server of our own for the run; it writes its display number once it accepts clients.
class Xvfb {
  public:
    bool start() {
        int out[2];
        if (pipe(out) != 0) {
            return false;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        const char* args[] = {"Xvfb",    "-displayfd", "1",           "-nolisten", "tcp",
                              "-screen", "0",          "1024x768x24", nullptr};
        const int rc =
            posix_spawnp(&pid_, "Xvfb", &actions, nullptr, const_cast<char**>(args), environ);
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        if (rc != 0) {
            close(out[0]);
            pid_ = -1;
            return false;
        }
        FILE* stream = fdopen(out[0], "r");
        char line[32] = {};
        const bool ready = std::fgets(line, sizeof line, stream) != nullptr;
        std::fclose(stream);
        display = ready ? ":" + QByteArray(line).trimmed() : QByteArray();
        return ready;
    }
    ~Xvfb() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }

  private:
    pid_t pid_ = -1;
};

// A title property of a window as the X server holds it; "(none)" when it is not set.
QString property(const QWidget* window, const char* name) {
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"),
                {QStringLiteral("-display"), QString::fromLatin1(display), QStringLiteral("-id"),
                 QString::number(window->winId()), QStringLiteral("-notype"), QLatin1String(name)});
    if (!xprop.waitForFinished(5000)) {
        return QStringLiteral("(xprop failed)");
    }
    // _NET_WM_NAME = "Adaugare firma", or "WM_NAME = " for an empty one.
    const QString out = QString::fromUtf8(xprop.readAllStandardOutput()).trimmed();
    const auto equals = out.indexOf(u'=');
    if (equals < 0) {
        return QStringLiteral("(none)");
    }
    const QString value = out.mid(equals + 1).trimmed();
    return value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"')
               ? value.mid(1, value.size() - 2)
               : value;
}

// What a window manager shows (the newer property, then the older one).
QString titles(const QWidget* window) {
    return property(window, "_NET_WM_NAME") + " / " + property(window, "WM_NAME");
}

}  // namespace

namespace kov::test {

class X11Test : public AppTest {
  protected:
    void SetUp() override {
        if (display.isEmpty()) {
            GTEST_SKIP() << "Xvfb (Debian package xvfb) is not installed: titles under a real X "
                            "server are not checked";
        }
        prepareDatabase({{"", "ALFA SRL", "RO1"}});
        start();
    }
    // Shows a window and returns its titles once the server holds them.
    QString shown(QWidget* window, const QString& expected) {
        window->show();
        waitFor([&] { return titles(window) == expected; }, 2000);
        return titles(window);
    }
};

TEST_F(X11Test, TitlesReachTheServerExactlyAndAnEmptyTitleStaysEmpty) {
    showMain();
    EXPECT_EQ(shown(FormMain, "Kovaline / Kovaline"), QString("Kovaline / Kovaline"));
    EXPECT_EQ(shown(FormAdaugModificFirmaNoua, "Adaugare/stergere firma / Adaugare/stergere firma"),
              "Adaugare/stergere firma / Adaugare/stergere firma");
    FormAdaugModificFirmaNoua->hide();
    EXPECT_EQ(shown(FormSelectLuna, " / "), QString(" / "));
    FormSelectLuna->hide();

    QStringList seen;
    const auto read = [&seen](QWidget* box) {
        waitFor([&] { return titles(box) != "(none) / (none)"; }, 2000);
        seen << titles(box);
        click(box, "OK");
    };
    modals.handle(read).handle(read);
    message("Date incomplete!", "Atentie !");
    message("Nu exista inregistrari pe luna selectata!", "");
    EXPECT_EQ(seen, QStringList({"Atentie ! / Atentie !", " / "}));

    // A title emptied while the window is on screen.
    FormAdaugareFirma->show();
    FormAdaugareFirma->setWindowTitle(QString());
    waitFor([] { return titles(FormAdaugareFirma) == " / "; }, 2000);
    EXPECT_EQ(titles(FormAdaugareFirma), QString(" / "));
    FormAdaugareFirma->hide();
}

// On X the show event after a restore comes from the window system too: the typing stays.
TEST_F(X11Test, RestoringTheMinimizedPartnerDialogKeepsTheTyping) {
    TFormAdaugareFirma* dialog = FormAdaugareFirma;
    dialog->AddMode = true;
    dialog->show();
    QTest::keyClicks(dialog->ui.Edit1, "c1");
    QTest::keyClicks(dialog->ui.Edit2, "beta srl");
    dialog->showMinimized();
    waitFor([] { return false; }, 200);
    dialog->showNormal();
    ASSERT_TRUE(waitFor([&] { return dialog->isVisible() && !dialog->isMinimized(); }));
    EXPECT_EQ(dialog->ui.Edit1->text(), QString("C1"));
    EXPECT_EQ(dialog->ui.Edit2->text(), QString("BETA SRL"));
    dialog->hide();
    dialog->show();
    EXPECT_EQ(dialog->ui.Edit2->text(), QString(""));
}

}  // namespace kov::test

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    Xvfb server;
    if (!QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty()) {
        if (!server.start()) {
            std::fputs("Xvfb is installed but did not start\n", stderr);
            return 1;
        }
        qputenv("DISPLAY", display);
        qputenv("QT_QPA_PLATFORM", "xcb");
    } else {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kovaline"));
    kov::keepExactTitles();
    return RUN_ALL_TESTS();
}

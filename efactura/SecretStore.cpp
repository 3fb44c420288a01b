#include "efactura/SecretStore.h"

#include <qt6keychain/keychain.h>

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QSaveFile>

#include "data/Settings.h"

namespace kov::efactura {

namespace {

const QString kService = QStringLiteral("Kovaline e-Factura");

// Without a session bus no keyring can answer on Linux; asking would only wait for a time out.
bool keyringReachable() {
#if defined(Q_OS_LINUX)
    return !qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS");
#else
    return true;
#endif
}

// Runs a keyring job to its end; whether it succeeded.
bool run(QKeychain::Job& job) {
    job.setAutoDelete(false);
    QEventLoop loop;
    QObject::connect(&job, &QKeychain::Job::finished, &loop, &QEventLoop::quit);
    job.start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    return job.error() == QKeychain::NoError;
}

}  // namespace

QString secretFile(const QString& key) {
    return configFolder() + QStringLiteral("/efactura-") + key + QStringLiteral(".json");
}

QByteArray readSecret(const QString& key) {
    if (keyringReachable()) {
        QKeychain::ReadPasswordJob job(kService);
        job.setKey(key);
        if (run(job)) {
            return job.binaryData();
        }
    }
    QFile file(secretFile(key));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeSecret(const QString& key, const QByteArray& value) {
    if (keyringReachable()) {
        QKeychain::WritePasswordJob job(kService);
        job.setKey(key);
        job.setBinaryData(value);
        if (run(job)) {
            QFile::remove(secretFile(key));
            return;
        }
    }
    QDir().mkpath(configFolder());
    QSaveFile file(secretFile(key));
    // Readable by the user alone before anything is written into it.
    if (!file.open(QIODevice::WriteOnly) ||
        !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner) ||
        file.write(value) != value.size() || !file.commit()) {
        throw SettingsError(QStringLiteral("Datele conexiunii e-Factura nu pot fi pastrate in %1")
                                .arg(QDir::toNativeSeparators(secretFile(key)))
                                .toStdString());
    }
}

}  // namespace kov::efactura

#include "efactura/SpvConnection.h"

#include <QJsonDocument>
#include <QJsonObject>

#include "data/Settings.h"
#include "efactura/SecretStore.h"

namespace kov::efactura {

namespace {

const QString kSection = QStringLiteral("EFacturaSPV");
const QString kSecretKey = QStringLiteral("conexiune");
constexpr qint64 kRefreshBeforeDays = 10;  // refreshed this long before the access token ends

QString stamp(const QDateTime& t) {
    return t.toUTC().toString(Qt::ISODate);
}
QDateTime fromStamp(const QJsonValue& v) {
    return QDateTime::fromString(v.toString(), Qt::ISODate);
}

}  // namespace

Connection loadConnection() {
    SettingsStore store;
    Connection c;
    c.production = store.value(kSection, QStringLiteral("Mediu")) == QLatin1String("productie");
    c.app.clientId = store.value(kSection, QStringLiteral("ClientId"));
    c.app.redirectUri = store.value(kSection, QStringLiteral("Callback"));
    const QJsonObject secrets = QJsonDocument::fromJson(readSecret(kSecretKey)).object();
    c.app.clientSecret = secrets.value(QLatin1String("client_secret")).toString();
    c.tokens.access = secrets.value(QLatin1String("access_token")).toString();
    c.tokens.refresh = secrets.value(QLatin1String("refresh_token")).toString();
    c.tokens.accessUntil = fromStamp(secrets.value(QLatin1String("access_until")));
    c.tokens.refreshUntil = fromStamp(secrets.value(QLatin1String("refresh_until")));
    return c;
}

void saveConnection(const Connection& c) {
    SettingsStore store;
    store.setValue(kSection, QStringLiteral("Mediu"),
                   c.production ? QStringLiteral("productie") : QStringLiteral("test"));
    store.setValue(kSection, QStringLiteral("ClientId"), c.app.clientId);
    store.setValue(kSection, QStringLiteral("Callback"), c.app.redirectUri);
    const QJsonObject secrets{{QStringLiteral("client_secret"), c.app.clientSecret},
                              {QStringLiteral("access_token"), c.tokens.access},
                              {QStringLiteral("refresh_token"), c.tokens.refresh},
                              {QStringLiteral("access_until"), stamp(c.tokens.accessUntil)},
                              {QStringLiteral("refresh_until"), stamp(c.tokens.refreshUntil)}};
    writeSecret(kSecretKey, QJsonDocument(secrets).toJson(QJsonDocument::Compact));
}

bool isConnected() {
    return !qEnvironmentVariableIsEmpty("KOVALINE_SPV_TOKEN") || loadConnection().tokens.valid();
}

Tokens freshTokens(Connection& c) {
    const QDateTime due = QDateTime::currentDateTime().addDays(kRefreshBeforeDays);
    if (c.tokens.valid() && (c.tokens.access.isEmpty() || c.tokens.accessUntil < due)) {
        c.tokens = refreshTokens(c.app, c.tokens.refresh);
        saveConnection(c);
    }
    return c.tokens;
}

SpvClient openClient() {
    const QString fixed = qEnvironmentVariable("KOVALINE_SPV_TOKEN");
    Connection c = loadConnection();
    if (!fixed.isEmpty()) {
        return SpvClient(apiBase(c.production), fixed);
    }
    if (!c.tokens.valid()) {
        throw SpvError(SpvError::Kind::Unauthorized,
                       QStringLiteral("Conexiunea e-Factura nu este autorizata. Autorizati-o din "
                                      "Fisier > Conectare e-Factura."));
    }
    return SpvClient(apiBase(c.production), freshTokens(c).access);
}

}  // namespace kov::efactura

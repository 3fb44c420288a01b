#include "efactura/SpvAuth.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkRequest>
#include <QUrlQuery>

#include "efactura/Http.h"
#include "efactura/SpvClient.h"

namespace kov::efactura {

namespace {

const QString kTokenCall = QStringLiteral("token");
constexpr qint64 kRefreshMargin = 3600;  // the refresh token outlives the access token by an hour

QNetworkRequest request(const OAuthApp& app, const QString& path) {
    QNetworkRequest r(oauthBase().resolved(QUrl(path)));
    r.setHeader(QNetworkRequest::ContentTypeHeader,
                QByteArrayLiteral("application/x-www-form-urlencoded"));
    const QByteArray credentials = (app.clientId + u':' + app.clientSecret).toUtf8();
    r.setRawHeader("Authorization", "Basic " + credentials.toBase64());
    return r;
}

QByteArray form(const QList<QPair<QString, QString>>& fields) {
    QByteArrayList parts;
    for (const auto& [name, value] : fields) {
        parts << name.toLatin1() + '=' + QUrl::toPercentEncoding(value);
    }
    return parts.join('&');
}

// The answer's body is never quoted: it may hold tokens.
Tokens tokensOf(const HttpAnswer& a) {
    if (a.status == 0) {
        throw SpvError(SpvError::Kind::Offline,
                       QStringLiteral("Serverul de autorizare e-Factura nu raspunde (apelul "
                                      "token). Verificati legatura la internet."));
    }
    if (a.status == 400 || a.status == 401 || a.status == 403) {
        throw SpvError(SpvError::Kind::Unauthorized,
                       QStringLiteral("Serverul de autorizare e-Factura a refuzat cererea (apelul "
                                      "token, HTTP %1). Verificati datele aplicatiei si refaceti "
                                      "autorizarea.")
                           .arg(a.status));
    }
    if (a.status != 200) {
        throw SpvError(SpvError::Kind::Answer,
                       QStringLiteral("Raspuns neasteptat de la platforma e-Factura la apelul "
                                      "token: HTTP %1")
                           .arg(a.status));
    }
    return parseTokens(a.body, QDateTime::currentDateTime());
}

}  // namespace

QUrl oauthBase() {
    const QString custom = qEnvironmentVariable("KOVALINE_SPV_OAUTH_URL");
    const QString base =
        custom.isEmpty() ? QStringLiteral("https://logincert.anaf.ro/anaf-oauth2/v1/") : custom;
    return QUrl(base.endsWith(u'/') ? base : base + u'/');
}

QUrl authorizeUrl(const OAuthApp& app) {
    QUrl url = oauthBase().resolved(QUrl(QStringLiteral("authorize")));
    QUrlQuery q;
    q.addQueryItem(QStringLiteral("response_type"), QStringLiteral("code"));
    q.addQueryItem(QStringLiteral("client_id"), app.clientId);
    q.addQueryItem(QStringLiteral("redirect_uri"), app.redirectUri);
    q.addQueryItem(QStringLiteral("token_content_type"), QStringLiteral("jwt"));
    url.setQuery(q);
    return url;
}

QString codeFromAddress(const QString& address) {
    const QString text = address.trimmed();
    const QUrl url(text);
    const QUrlQuery q(url);
    if (q.hasQueryItem(QStringLiteral("code"))) {
        return q.queryItemValue(QStringLiteral("code"), QUrl::FullyDecoded);
    }
    return text.contains(u'?') || text.contains(u'/') ? QString() : text;
}

Tokens parseTokens(const QByteArray& body, const QDateTime& now) {
    const QJsonObject o = QJsonDocument::fromJson(body).object();
    const QString access = o.value(QLatin1String("access_token")).toString();
    if (access.isEmpty()) {
        throw SpvError(SpvError::Kind::Answer,
                       QStringLiteral("Raspuns neasteptat de la platforma e-Factura la apelul "
                                      "token: lipseste access_token"));
    }
    const qint64 seconds = o.value(QLatin1String("expires_in")).toVariant().toLongLong();
    Tokens t;
    t.access = access;
    t.refresh = o.value(QLatin1String("refresh_token")).toString();
    t.accessUntil = now.addSecs(seconds);
    t.refreshUntil = now.addSecs(seconds + kRefreshMargin);
    return t;
}

Tokens exchangeCode(const OAuthApp& app, const QString& code) {
    return tokensOf(
        httpPost(request(app, kTokenCall),
                 form({{QStringLiteral("grant_type"), QStringLiteral("authorization_code")},
                       {QStringLiteral("code"), code},
                       {QStringLiteral("redirect_uri"), app.redirectUri},
                       {QStringLiteral("token_content_type"), QStringLiteral("jwt")}})));
}

Tokens refreshTokens(const OAuthApp& app, const QString& refreshToken) {
    Tokens t =
        tokensOf(httpPost(request(app, kTokenCall),
                          form({{QStringLiteral("grant_type"), QStringLiteral("refresh_token")},
                                {QStringLiteral("refresh_token"), refreshToken},
                                {QStringLiteral("token_content_type"), QStringLiteral("jwt")}})));
    if (t.refresh.isEmpty()) {
        t.refresh = refreshToken;  // a provider may keep the refresh token as it was
    }
    return t;
}

void revokeToken(const OAuthApp& app, const QString& token) {
    const HttpAnswer a =
        httpPost(request(app, QStringLiteral("revoke")), form({{QStringLiteral("token"), token}}));
    if (a.status != 200 && a.status != 204) {
        throw SpvError(SpvError::Kind::Answer,
                       QStringLiteral("Raspuns neasteptat de la platforma e-Factura la apelul "
                                      "revoke: HTTP %1")
                           .arg(a.status));
    }
}

}  // namespace kov::efactura

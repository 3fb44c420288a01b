#pragma once
// Authorisation on the e-Factura platform (OAuth 2.0, authorization code): the address the user
// signs in at with the qualified certificate, the code exchanged for tokens, their refresh and
// their revocation. The client id and secret travel only in the Basic header.

#include <QDateTime>
#include <QString>
#include <QUrl>

namespace kov::efactura {

struct OAuthApp {
    QString clientId;
    QString clientSecret;
    QString redirectUri;  // the callback URL registered with the application
};

struct Tokens {
    QString access;
    QString refresh;
    QDateTime accessUntil;
    QDateTime refreshUntil;
    bool valid() const { return !refresh.isEmpty() && refreshUntil > QDateTime::currentDateTime(); }
};

// KOVALINE_SPV_OAUTH_URL, or the platform's identity provider.
QUrl oauthBase();

QUrl authorizeUrl(const OAuthApp& app);

// The code of the address the browser was sent back to, or the code itself as pasted.
QString codeFromAddress(const QString& address);

// SpvError (naming the call "token") when the platform refuses or answers otherwise.
Tokens exchangeCode(const OAuthApp& app, const QString& code);
Tokens refreshTokens(const OAuthApp& app, const QString& refreshToken);
void revokeToken(const OAuthApp& app, const QString& token);

// The tokens of the identity provider's JSON answer, as of now.
Tokens parseTokens(const QByteArray& body, const QDateTime& now);

}  // namespace kov::efactura

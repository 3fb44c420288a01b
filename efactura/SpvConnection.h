#pragma once
// The connection to the e-Factura platform set up once on this computer: the environment, the
// application registered by the user and its tokens. The client id and the callback address
// live in the settings; the secret and the tokens in the secret store.

#include <optional>

#include "efactura/SpvAuth.h"
#include "efactura/SpvClient.h"

namespace kov::efactura {

struct Connection {
    bool production = false;
    OAuthApp app;
    Tokens tokens;
};

Connection loadConnection();
void saveConnection(const Connection& connection);

// Whether calls can be made: KOVALINE_SPV_TOKEN is set, or a refresh token is still valid.
bool isConnected();

// The tokens after refreshing them when the access token ends within the margin; saved when
// refreshed. Unchanged when no refresh is due.
Tokens freshTokens(Connection& connection);

// A client on the connection's API base with a valid access token (KOVALINE_SPV_TOKEN first);
// SpvError (Unauthorized) when there is none.
SpvClient openClient();

}  // namespace kov::efactura

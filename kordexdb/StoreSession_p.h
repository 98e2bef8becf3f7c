#pragma once

#include "Store.h"

#include <kordex/ErrorNumbers.h>
#include <kordex/ServerError.h>
#include <memory>

namespace kordex {

// What a factory shares with its objects and result sets: the open store, or
// nothing once the connection is closed.
struct StoreSession
{
    std::unique_ptr<Store> store;

    Store &require()
    {
        if (!store)
            throw ServerError(error::NotConnected, QStringLiteral("Keine Verbindung zum Server"));
        return *store;
    }
};

} // namespace kordex

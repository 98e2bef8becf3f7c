#pragma once

#include <kordex/Factory.h>
#include <memory>

namespace kordex {

// The real service over SQLite or PostgreSQL: what the program and the tools
// hand the server layer to open a store.
std::unique_ptr<Factory> createFactory();

} // namespace kordex

#pragma once

#include <QString>

namespace kordex {

// "cn_iptcp:" server "[" port "]:KORDEX"
QString connectString(const QString &server, const QString &port);

// The per-user demo store: <XDG data home>/Ertragon/demo.db, in the program's one folder
// name (a store of the earlier folder <XDG data home>/ertragon/ is moved there once).
QString defaultStorePath();

} // namespace kordex

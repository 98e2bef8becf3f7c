#pragma once

#include <QString>

namespace kordex {

// "cn_iptcp:" server "[" port "]:KORDEX"
QString connectString(const QString &server, const QString &port);

// The per-user demo store: <XDG data home>/ertragon/demo.db
QString defaultStorePath();

} // namespace kordex

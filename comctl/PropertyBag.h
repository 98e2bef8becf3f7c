#pragma once

#include <QJsonObject>
#include <QMap>
#include <QString>
#include <QVariant>

namespace comctl {

// A host's property bag: named values a control saves and loads. Reading takes a default for
// a missing name; writing passes the default too, and a value equal to its default is left out
// (as a container may do), so loading it back yields the default again.
// Kept as JSON with a type tag per value, so integers, doubles, booleans, texts, fonts, Empty
// and Null survive a round trip. Broken or hostile files are rejected without a crash.
class PropertyBag
{
public:
    QVariant read(const QString &name, const QVariant &defaultValue = {}) const;
    void write(const QString &name, const QVariant &value, const QVariant &defaultValue = {});
    // Stores the value even when it equals its default.
    void writeAlways(const QString &name, const QVariant &value);

    bool contains(const QString &name) const { return m_values.contains(name); }
    void remove(const QString &name) { m_values.remove(name); }
    QStringList names() const { return m_values.keys(); }
    int size() const { return int(m_values.size()); }
    void clear() { m_values.clear(); }

    QJsonObject toJson() const;
    // Replaces the content; entries with an unknown tag are skipped. False on a non-object.
    bool fromJson(const QJsonObject &object);

    bool saveFile(const QString &path, QString *error = nullptr) const;
    bool loadFile(const QString &path, QString *error = nullptr);

    static QJsonValue encodeValue(const QVariant &value);
    // Returns false for a value that carries no known type tag.
    static bool decodeValue(const QJsonValue &json, QVariant *value);

private:
    QMap<QString, QVariant> m_values;
};

} // namespace comctl

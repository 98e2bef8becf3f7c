#pragma once

#include "ClassRegistration.h"

#include <QList>
#include <optional>

namespace comctl {

// The per-user control registry: a JSON file listing registered control classes. Its path is
// $ERTRAGON_CONTROL_REGISTRY when set, else <XDG config dir>/ertragon/controls.json.
// Writes are atomic; a missing file is an empty registry; a broken file reads as empty and is
// replaced by the next successful write.
class ControlRegistry
{
public:
    static QString defaultPath();

    explicit ControlRegistry(const QString &path = defaultPath());

    QString path() const { return m_path; }
    // Reads the file. False (with an empty registry) when it exists but cannot be parsed.
    bool load(QString *error = nullptr);
    bool save(QString *error = nullptr) const;

    void add(const ClassRegistration &registration); // replaces an entry with the same clsid
    bool remove(const QString &clsid);
    std::optional<ClassRegistration> findByProgId(const QString &progId) const;
    QList<ClassRegistration> classes() const { return m_classes; }

private:
    QString m_path;
    QList<ClassRegistration> m_classes;
};

} // namespace comctl

#pragma once

#include "ClassRegistration.h"

#include <QList>
#include <optional>

namespace comctl {

// A control registry: a JSON file listing registered control classes. The per-user one, which
// DllRegisterServer writes, is $ERTRAGON_CONTROL_REGISTRY when set, else
// <XDG config dir>/Ertragon/controls.json (a file left in the earlier folder
// <XDG config dir>/ertragon/ is moved there). The system registry is a folder of such files,
// one per installed control library, which the packages install and nobody writes at run time.
// Writes are atomic; a missing file is an empty registry; a broken file reads as empty and is
// replaced by the next successful write.
class ControlRegistry
{
public:
    static QString defaultPath();
    // $ERTRAGON_SYSTEM_CONTROL_REGISTRY when set (tests, staging trees), else
    // <libdir>/ertragon/controls of the installation.
    static QString systemFolder();
    // The registries a host looks a ProgID up in, in this order: the per-user one (or
    // $ERTRAGON_CONTROL_REGISTRY), then each file of the system folder by name.
    static QList<ControlRegistry> searchOrder();

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

#pragma once

#include <QString>

namespace ertragon::test {

// A small tmpfs mounted on an existing folder, for tests that need a full
// disk. Mounting needs root (the test skips with the reason otherwise).
// Unmounted on destruction.
class ScratchMount
{
public:
    ScratchMount() = default;
    ~ScratchMount();
    ScratchMount(const ScratchMount &) = delete;
    ScratchMount &operator=(const ScratchMount &) = delete;

    // False with the reason when the folder cannot be mounted.
    bool mount(const QString &folder, qint64 bytes, QString *why);
    void unmount();

private:
    QString m_folder;
};

} // namespace ertragon::test

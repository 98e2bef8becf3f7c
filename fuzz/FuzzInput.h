#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>

// The bytes of one fuzz input, taken apart front to back: numbers, choices and
// text. Past the end every read gives zeros or empty text, so that any input,
// however short, is a complete case.
class FuzzInput
{
public:
    FuzzInput(const uint8_t *data, size_t size);

    bool atEnd() const { return m_size == 0; }
    uint8_t byte();
    bool flag() { return (byte() & 1) != 0; }
    // 0 .. count - 1
    int choice(int count) { return count <= 0 ? 0 : byte() % count; }
    int64_t int64();
    double float64();
    // Up to `bytes` bytes as UTF-8 (invalid sequences become U+FFFD).
    QString text(size_t bytes);
    // All that is left, as UTF-8.
    QString rest();

    // A broken property: prints what and why to stderr and aborts, so that
    // libFuzzer and the replay both report the input.
    [[noreturn]] static void fail(const char *what, const QString &detail);
    static void check(bool holds, const char *what, const QString &detail = QString())
    {
        if (!holds)
            fail(what, detail);
    }

private:
    const uint8_t *m_data;
    size_t m_size;
};

// The entry point every fuzz target defines.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

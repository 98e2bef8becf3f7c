#include "FuzzInput.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

FuzzInput::FuzzInput(const uint8_t *data, size_t size)
    : m_data(data)
    , m_size(size)
{
}

uint8_t FuzzInput::byte()
{
    if (m_size == 0)
        return 0;
    --m_size;
    return *m_data++;
}

int64_t FuzzInput::int64()
{
    uint64_t value = 0;
    for (int i = 0; i < 8; ++i)
        value = (value << 8) | byte();
    return int64_t(value);
}

double FuzzInput::float64()
{
    const uint64_t bits = uint64_t(int64());
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

QString FuzzInput::text(size_t bytes)
{
    const size_t taken = bytes < m_size ? bytes : m_size;
    const QString result
        = QString::fromUtf8(reinterpret_cast<const char *>(m_data), qsizetype(taken));
    m_data += taken;
    m_size -= taken;
    return result;
}

QString FuzzInput::rest()
{
    return text(m_size);
}

void FuzzInput::fail(const char *what, const QString &detail)
{
    std::fprintf(stderr, "fuzz property broken: %s\n  %s\n", what,
                 detail.left(2000).toUtf8().constData());
    std::fflush(stderr);
    std::abort();
}

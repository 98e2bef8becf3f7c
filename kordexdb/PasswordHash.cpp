#include "PasswordHash.h"

#include <QRandomGenerator>
#include <QStringList>
#include <array>
#include <cstdint>
#include <cstring>

namespace kordex {

namespace {

// A plain SHA-256 whose state can be copied, so that HMAC can start every
// iteration from the precomputed inner and outer key states.
class Sha256
{
public:
    Sha256() { m_h = initial; }

    void add(const unsigned char *data, size_t length)
    {
        m_total += length;
        while (length > 0) {
            const size_t take = std::min(length, size_t(64) - m_used);
            std::memcpy(m_block.data() + m_used, data, take);
            m_used += take;
            data += take;
            length -= take;
            if (m_used == 64) {
                compress(m_block.data());
                m_used = 0;
            }
        }
    }

    std::array<unsigned char, 32> finish()
    {
        const uint64_t bits = m_total * 8;
        const unsigned char pad = 0x80;
        add(&pad, 1);
        const unsigned char zero = 0;
        while (m_used != 56)
            add(&zero, 1);
        unsigned char length[8];
        for (int i = 0; i < 8; ++i)
            length[i] = static_cast<unsigned char>(bits >> (56 - 8 * i));
        add(length, 8);
        std::array<unsigned char, 32> digest {};
        for (int i = 0; i < 8; ++i)
            for (int j = 0; j < 4; ++j)
                digest[4 * i + j] = static_cast<unsigned char>(m_h[i] >> (24 - 8 * j));
        return digest;
    }

private:
    static constexpr std::array<uint32_t, 8> initial
        = { 0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
            0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19 };
    static constexpr uint32_t k[64]
        = { 0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4,
            0xab1c5ed5, 0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe,
            0x9bdc06a7, 0xc19bf174, 0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f,
            0x4a7484aa, 0x5cb0a9dc, 0x76f988da, 0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7,
            0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967, 0x27b70a85, 0x2e1b2138, 0x4d2c6dfc,
            0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85, 0xa2bfe8a1, 0xa81a664b,
            0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070, 0x19a4c116,
            0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
            0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7,
            0xc67178f2 };

    static uint32_t rotr(uint32_t x, int n) { return (x >> n) | (x << (32 - n)); }

    void compress(const unsigned char *block)
    {
        uint32_t w[64];
        for (int i = 0; i < 16; ++i)
            w[i] = uint32_t(block[4 * i]) << 24 | uint32_t(block[4 * i + 1]) << 16
                | uint32_t(block[4 * i + 2]) << 8 | uint32_t(block[4 * i + 3]);
        for (int i = 16; i < 64; ++i) {
            const uint32_t s0 = rotr(w[i - 15], 7) ^ rotr(w[i - 15], 18) ^ (w[i - 15] >> 3);
            const uint32_t s1 = rotr(w[i - 2], 17) ^ rotr(w[i - 2], 19) ^ (w[i - 2] >> 10);
            w[i] = w[i - 16] + s0 + w[i - 7] + s1;
        }
        uint32_t a = m_h[0], b = m_h[1], c = m_h[2], d = m_h[3];
        uint32_t e = m_h[4], f = m_h[5], g = m_h[6], h = m_h[7];
        for (int i = 0; i < 64; ++i) {
            const uint32_t t1
                = h + (rotr(e, 6) ^ rotr(e, 11) ^ rotr(e, 25)) + ((e & f) ^ (~e & g)) + k[i] + w[i];
            const uint32_t t2
                = (rotr(a, 2) ^ rotr(a, 13) ^ rotr(a, 22)) + ((a & b) ^ (a & c) ^ (b & c));
            h = g;
            g = f;
            f = e;
            e = d + t1;
            d = c;
            c = b;
            b = a;
            a = t1 + t2;
        }
        m_h[0] += a, m_h[1] += b, m_h[2] += c, m_h[3] += d;
        m_h[4] += e, m_h[5] += f, m_h[6] += g, m_h[7] += h;
    }

    std::array<uint32_t, 8> m_h;
    std::array<unsigned char, 64> m_block {};
    size_t m_used = 0;
    uint64_t m_total = 0;
};

const unsigned char *bytes(const QByteArray &a)
{
    return reinterpret_cast<const unsigned char *>(a.constData());
}

// HMAC-SHA256 with the key states prepared once.
class Hmac
{
public:
    explicit Hmac(QByteArray key)
    {
        if (key.size() > 64) {
            const auto digest = Sha256Of(key);
            key = QByteArray(reinterpret_cast<const char *>(digest.data()), 32);
        }
        unsigned char inner[64], outer[64];
        for (int i = 0; i < 64; ++i) {
            const unsigned char b = i < key.size() ? static_cast<unsigned char>(key[i]) : 0;
            inner[i] = b ^ 0x36;
            outer[i] = b ^ 0x5c;
        }
        m_inner.add(inner, 64);
        m_outer.add(outer, 64);
    }

    std::array<unsigned char, 32> mac(const unsigned char *data, size_t length) const
    {
        Sha256 inner = m_inner;
        inner.add(data, length);
        const auto innerDigest = inner.finish();
        Sha256 outer = m_outer;
        outer.add(innerDigest.data(), innerDigest.size());
        return outer.finish();
    }

private:
    static std::array<unsigned char, 32> Sha256Of(const QByteArray &data)
    {
        Sha256 h;
        h.add(bytes(data), size_t(data.size()));
        return h.finish();
    }

    Sha256 m_inner;
    Sha256 m_outer;
};

} // namespace

QByteArray PasswordHash::sha256(const QByteArray &data)
{
    Sha256 h;
    h.add(bytes(data), size_t(data.size()));
    const auto digest = h.finish();
    return QByteArray(reinterpret_cast<const char *>(digest.data()), 32);
}

QByteArray PasswordHash::pbkdf2Sha256(const QByteArray &password, const QByteArray &salt,
                                      int iterations, int length)
{
    const Hmac hmac(password);
    QByteArray result;
    for (uint32_t block = 1; result.size() < length; ++block) {
        QByteArray first = salt;
        for (int s = 24; s >= 0; s -= 8)
            first.append(static_cast<char>((block >> s) & 0xff));
        auto u = hmac.mac(bytes(first), size_t(first.size()));
        auto t = u;
        for (int i = 1; i < iterations; ++i) {
            u = hmac.mac(u.data(), u.size());
            for (size_t j = 0; j < t.size(); ++j)
                t[j] ^= u[j];
        }
        result.append(reinterpret_cast<const char *>(t.data()), 32);
    }
    return result.left(length);
}

QString PasswordHash::make(const QString &password, QByteArray salt, int iterations)
{
    if (salt.isEmpty()) {
        salt.resize(16);
        for (char &c : salt)
            c = static_cast<char>(QRandomGenerator::system()->bounded(256));
    }
    const QByteArray hash = pbkdf2Sha256(password.toUtf8(), salt, iterations, 32);
    return QStringLiteral("pbkdf2-sha256$%1$%2$%3")
        .arg(iterations)
        .arg(QString::fromLatin1(salt.toBase64()), QString::fromLatin1(hash.toBase64()));
}

bool PasswordHash::verify(const QString &password, const QString &stored)
{
    const QStringList parts = stored.split(QLatin1Char('$'));
    if (parts.size() != 4 || parts[0] != QLatin1String("pbkdf2-sha256"))
        return false;
    bool ok = false;
    const int iterations = parts[1].toInt(&ok);
    if (!ok || iterations < 1 || iterations > 10000000)
        return false;
    const QByteArray salt = QByteArray::fromBase64(parts[2].toLatin1());
    const QByteArray expected = QByteArray::fromBase64(parts[3].toLatin1());
    if (salt.isEmpty() || expected.size() != 32)
        return false;
    const QByteArray actual = pbkdf2Sha256(password.toUtf8(), salt, iterations, 32);
    // compare every byte so the time does not tell where a difference lies
    unsigned char diff = 0;
    for (int i = 0; i < 32; ++i)
        diff |= static_cast<unsigned char>(actual[i] ^ expected[i]);
    return diff == 0;
}

} // namespace kordex

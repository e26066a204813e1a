// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArrayView>
#include <QString>

#include <cstdio>
#include <cstdlib>

// A property every input must keep; a broken one stops the fuzzer with the input saved.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "property failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

// Takes bytes off the front of the input.
class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size)
        : m_data(data)
        , m_size(size)
    {
    }
    uint8_t byte() { return m_size > 0 ? (--m_size, *m_data++) : 0; }
    QByteArrayView rest() const
    {
        return QByteArrayView(reinterpret_cast<const char*>(m_data), qsizetype(m_size));
    }
    // A piece of the input up to a NUL byte.
    QByteArrayView piece()
    {
        size_t n = 0;
        while (n < m_size && m_data[n] != 0)
            ++n;
        const QByteArrayView out(reinterpret_cast<const char*>(m_data), qsizetype(n));
        const size_t used = n < m_size ? n + 1 : n;
        m_data += used;
        m_size -= used;
        return out;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
};

// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArrayView>
#include <QString>

namespace urdiva {

// Decodes data-file bytes: every valid UTF-8 sequence as UTF-8, every other byte as Windows-1252
// (its five unassigned bytes map to the same code points). Deciding per sequence reads both
// UTF-8 files and files saved in the Windows code page right, even mixed in one line.
QString decodeText(QByteArrayView bytes);

// The same, reusing the storage of `out`.
void decodeTextInto(QByteArrayView bytes, QString& out);

// The Windows-1252 byte of a code unit, or -1 when the code page has none for it.
int windows1252Byte(char16_t c);

// Turns UTF-16 bytes into UTF-8 as they come, in pieces cut anywhere: a byte or a high
// surrogate left over from one piece is completed by the next. An unpaired surrogate, and a
// byte or high surrogate left at the end, become U+FFFD.
class Utf16Transcoder {
public:
    explicit Utf16Transcoder(bool bigEndian);

    // Converts `size` bytes to UTF-8 at `out`, which has room for at least 3 bytes per 2 bytes
    // given, plus kMostHeld; returns the number of bytes written.
    size_t convert(const char* in, size_t size, char* out);
    // What is left at the end of the text, at `out` (at most kMostHeld bytes).
    size_t finish(char* out);

    static constexpr size_t kMostHeld = 8;

private:
    char* put(char32_t codePoint, char* out);

    bool m_bigEndian;
    int m_byte = -1; // the first byte of a code unit, until its second arrives
    char16_t m_high = 0; // a high surrogate, until its low one arrives
};

// Whether the first bytes of a file without a byte-order mark look like UTF-16 text (nearly
// every other byte NUL), which decodeText() would turn into names full of NUL characters.
bool looksLikeUtf16(QByteArrayView start);

} // namespace urdiva

#include "byte_hash.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace urdiva;

namespace {

// Every byte of a key must count: keys of every length up to three words, differing in any one
// byte, hash apart, and so do a key and its prefixes.
TEST(ByteHash, EveryByteAndTheLengthCount)
{
    for (size_t size = 0; size <= 24; ++size) {
        const std::string base(size, 'a');
        std::set<quint64> seen;
        seen.insert(hashBytes(base.data(), size, 0));
        for (size_t i = 0; i < size; ++i) {
            for (const char c : {'b', '\0', '\xFF'}) {
                std::string key = base;
                key[i] = c;
                EXPECT_TRUE(seen.insert(hashBytes(key.data(), size, 0)).second)
                    << "size " << size << ", byte " << i;
            }
        }
        for (size_t prefix = 0; prefix < size; ++prefix)
            EXPECT_NE(hashBytes(base.data(), prefix, 0), hashBytes(base.data(), size, 0));
        EXPECT_NE(hashBytes(base.data(), size, 0), hashBytes(base.data(), size, 1));
    }
}

} // namespace

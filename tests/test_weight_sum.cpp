// SPDX-License-Identifier: MIT
#include "engine/network/weight_sum.h"
#include "test_support.h"

#include <boost/multiprecision/cpp_int.hpp>

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace urdiva;

namespace {

using Exact = boost::multiprecision::cpp_int;
// Every weight below has at most this many decimals, exponent included.
constexpr int kReferenceScale = 9;

// The weight times 10^kReferenceScale, exactly: digits with an optional point and exponent.
Exact scaledWeight(const std::string& weight)
{
    const size_t e = weight.find_first_of("eE");
    const std::string mantissa = weight.substr(0, e);
    const int exponent = e == std::string::npos ? 0 : std::stoi(weight.substr(e + 1));
    std::string digits;
    int decimals = 0;
    bool point = false;
    for (const char c : mantissa) {
        if (c == '.')
            point = true;
        else if (c != '+' && c != '-')
            digits += c, decimals += point;
    }
    // Leading zeros would make boost read the digits as octal.
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size() - 1));
    Exact value(digits);
    int shift = kReferenceScale - decimals + exponent;
    for (; shift > 0; --shift)
        value *= 10;
    for (; shift < 0; ++shift)
        value /= 10;
    return mantissa.front() == '-' ? Exact(-value) : value;
}

// An exact sum as a weight: no needless fraction digits or exponent.
std::string decimalText(const Exact& scaledSum)
{
    const bool negative = scaledSum < 0;
    const std::string digits = (negative ? Exact(-scaledSum) : scaledSum).str();
    const std::string padded =
        std::string(size_t(std::max<int>(0, kReferenceScale + 1 - int(digits.size()))), '0') +
        digits;
    std::string whole = padded.substr(0, padded.size() - kReferenceScale);
    std::string fraction = padded.substr(padded.size() - kReferenceScale);
    fraction.erase(fraction.find_last_not_of('0') + 1);
    const std::string text = fraction.empty() ? whole : whole + '.' + fraction;
    return negative && text != "0" ? '-' + text : text;
}

QByteArray sumText(const WeightSums& sums, size_t sum)
{
    char buffer[48];
    return sums.text(sum, buffer).toByteArray();
}

// The edge cases of keeping a sum exact: each weight brings its own scale, the sum is rescaled
// to the finest, and a sum that cannot stay within 36 digits becomes a double without touching
// the others.
TEST(WeightSums, RescalingAndGivingUpExactness)
{
    const struct {
        std::vector<const char*> weights;
        const char* sum;
    } cases[] = {
        {{"0.1", "0.2"}, "0.3"},
        {{"1", "0.25", "0.125"}, "1.375"},
        {{"2.50", "-0.5"}, "2"},
        {{"1e-3", "1"}, "1.001"},
        {{"12.5e-1", "+1E2"}, "101.25"},
        {{"-0.1", "-0.2"}, "-0.3"},
        {{"99999999999999999999999999999999999", "1"}, "100000000000000000000000000000000000"},
        // Beyond 36 digits at the finest scale: no longer exact, 15 significant digits.
        {{"1", "1e-40"}, "1"},
        {{"999999999999999999999999999999999999", "1"}, "1e+36"},
        {{"0.1", "123456789012345678901234567890123456"}, "1.23456789012346e+35"},
    };
    WeightSums sums;
    std::vector<size_t> made;
    for (size_t i = 0; i < std::size(cases); ++i)
        made.push_back(sums.make());
    // The sums' weights interleaved, so that one sum's scale cannot leak into another's.
    for (size_t k = 0; k < 3; ++k) {
        for (size_t i = 0; i < std::size(cases); ++i) {
            if (k < cases[i].weights.size())
                sums.add(made[i], QByteArrayView(cases[i].weights[k]));
        }
    }
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_TRUE(sums.isFinite(made[i]));
        EXPECT_EQ(sumText(sums, made[i]), QByteArray(cases[i].sum)) << i;
    }
}

// Sums of decimals that fit 36 digits are exact, whatever their scales, signs and exponents.
TEST(WeightSums, ExactAsTheDecimalSum)
{
    std::mt19937 random(34);
    const auto digits = [&](int count) {
        std::string text;
        for (int k = 0; k < count; ++k)
            text += char('0' + random() % 10);
        return text;
    };
    WeightSums sums;
    std::vector<Exact> expected;
    for (int round = 0; round < 300; ++round) {
        const size_t sum = sums.make();
        expected.emplace_back(0);
        for (int k = int(random() % 40); k >= 0; --k) {
            std::string weight = random() % 3 == 0 ? "-" : random() % 5 == 0 ? "+" : "";
            weight += digits(1 + int(random() % 9));
            if (random() % 2)
                weight.append(1, '.').append(digits(int(random() % 4)));
            if (random() % 4 == 0)
                weight.append(1, 'e').append(std::to_string(int(random() % 7) - 3));
            sums.add(sum, QByteArrayView(weight.data(), qsizetype(weight.size())));
            expected.back() += scaledWeight(weight);
        }
        EXPECT_EQ(sumText(sums, sum).toStdString(), decimalText(expected.back())) << round;
    }
}

} // namespace

#pragma once

#include <QString>

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <limits>

// Reads a fuzz input front to back as the small values a harness needs. Once the bytes run out
// every read returns zero, so any input, even an empty one, decodes to something.
struct FuzzInput
{
    const std::uint8_t* data;
    std::size_t size;
    std::size_t position = 0;

    std::uint8_t byte() { return position < size ? data[position++] : 0; }

    bool flag() { return (byte() & 1) != 0; }

    // A whole number from low to high inclusive, from two bytes.
    int between(int low, int high)
    {
        const unsigned span = unsigned(high - low) + 1;
        const unsigned raw = unsigned(byte()) << 8 | byte();
        return low + int(raw % span);
    }

    std::uint32_t wholeCents()
    {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value = value << 8 | byte();
        return value;
    }

    // Any double at all, NaN payloads, infinities and denormals included.
    double rawDouble()
    {
        std::uint64_t bits = 0;
        for (int i = 0; i < 8; ++i)
            bits = bits << 8 | byte();
        double value = 0;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    // Mostly ordinary amounts, often the values the rules treat specially, sometimes any double.
    double number()
    {
        static const std::array<double, 16> special = {
            0.0,
            -0.0,
            1.0,
            100.0,
            99.99,
            99999999.0,
            100000000.0,
            -5.0,
            1e15,
            1e300,
            std::numeric_limits<double>::max(),
            std::numeric_limits<double>::denorm_min(),
            std::numeric_limits<double>::min(),
            std::numeric_limits<double>::infinity(),
            -std::numeric_limits<double>::infinity(),
            std::numeric_limits<double>::quiet_NaN(),
        };
        switch (byte() % 4) {
        case 0:
            return special[byte() % special.size()];
        case 1:
            return byte(); // a small whole number
        case 2:
            return wholeCents() / 100.0; // up to about 43 million euros
        default:
            return rawDouble();
        }
    }

    // A field text: mostly short and made of the characters a field or a hand-edited settings
    // file may hold; sometimes a short pattern repeated to a few hundred characters.
    QString text(int shortLimit = 10)
    {
        static const char16_t alphabet[] = u"0123456789000999..-+ ,e\tx\u00e9";
        constexpr int alphabetSize = int(std::size(alphabet)) - 1;
        const std::uint8_t kind = byte();
        const bool repeated = (kind & 0x80) != 0;
        const int patternLength = repeated ? 1 + kind % 4 : kind % (shortLimit + 1);
        QString pattern;
        for (int i = 0; i < patternLength; ++i)
            pattern += QChar(alphabet[byte() % alphabetSize]);
        if (!repeated)
            return pattern;
        const int length = 10 + byte() * 2; // up to 520 characters
        return pattern.repeated(length / patternLength + 1).left(length);
    }

    // A text as the keystroke filter lets it into a field: digits and, for a decimal field, at
    // most one point.
    QString typed(int maxLength, bool decimal)
    {
        const int length = byte() % (maxLength + 1);
        QString result;
        for (int i = 0; i < length; ++i) {
            const std::uint8_t b = byte();
            if (decimal && b % 11 == 10 && !result.contains(u'.'))
                result += u'.';
            else
                result += QChar(u'0' + b % 10);
        }
        return result;
    }
};

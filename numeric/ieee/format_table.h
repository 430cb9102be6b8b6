// Parameters of the three binary interchange formats, selected by the format
// kind (the storage size in bytes: 4, 8 or 16).
#pragma once

namespace ieee {

struct FormatInfo {
    int kind;            // 4, 8, 16
    int bits;            // 32, 64, 128
    int exponentBits;    // 8, 11, 15
    int fractionBits;    // 23, 52, 112
    int precision;       // 24, 53, 113 (hidden bit included)
    int bias;            // 127, 1023, 16383
    int emin;            // 1 - bias
    int emax;            // bias
    int sciDigits;       // significant digits of the scientific form: 8, 17, 34
    int sciWidth;        // field width of the scientific form: 15, 25, 42
    int sciExpDigits;    // minimum exponent digits: 2, 2, 3
    char sciLetter;      // 'E', 'D', 'D'
    int sigDigits;       // significand digits after the point: 7, 15, 33
    int sigWidth;        // significand field width: 14, 22, 41
};

// nullptr for any kind other than 4, 8, 16.
const FormatInfo* FormatFor(int formatKind);

}  // namespace ieee

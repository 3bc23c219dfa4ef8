#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace polygrav {

// The text of a DXF file as it grows: pairs of lines, a group code and its
// value, each line ended by CR LF. Numbers never follow the process locale.
// Decimals of lengths, and of bulges, which are ratios: a bulge's error
// times half the chord is the error of the arc's middle.
inline constexpr int kLengthDecimals = 6;
inline constexpr int kBulgeDecimals = 10;

class DxfGroups {
  public:
    void Text(int code, std::string_view value);
    void Integer(int code, std::int64_t value);
    // Fixed-point with six decimals by default: a thousandth of a
    // micrometre for lengths, finer than any cutter. A value that rounds to
    // zero is written without a minus sign.
    void Real(int code, double value, int decimals = kLengthDecimals);
    // A handle: upper-case hexadecimal without leading zeros.
    void Handle(int code, std::uint32_t handle);

    // Code 10, 20 and 30 (or 11, 21, 31 and so on) of a point.
    void Point(int code, double x, double y, double z);
    void Point(int code, double x, double y);

    const std::string& text() const { return text_; }
    std::string Take() { return std::move(text_); }

  private:
    void Code(int code);

    std::string text_;
};

// The value Real writes.
std::string DxfReal(double value, int decimals = kLengthDecimals);

}  // namespace polygrav

#pragma once
// A length of a page layout: single-precision millimetres, kept exactly as read
// so that a layout saved again gives the same bytes. Every other form of a
// length (hundredths of a millimetre in the settings, device pixels) is made and
// read here.

#include <cmath>
#include <compare>
#include <cstdint>
#include <limits>

class Length {
public:
    constexpr Length() = default;

    static constexpr Length fromMm(float mm) { return Length(mm); }
    // The nearest single-precision value to hundredths / 100, so that a length
    // read back from the settings is the length that was written.
    static constexpr Length fromHundredthsMm(std::int32_t hundredths) {
        return Length(static_cast<float>(hundredths / 100.0));
    }

    constexpr float mm() const { return m_mm; }
    // Rounded to the nearest hundredth; lengths beyond what an integer holds
    // saturate and a NaN gives 0, so that no conversion overflows.
    std::int32_t hundredthsMm() const {
        const double h = std::round(static_cast<double>(m_mm) * 100.0);
        if (std::isnan(h))
            return 0;
        if (h >= std::numeric_limits<std::int32_t>::max())
            return std::numeric_limits<std::int32_t>::max();
        if (h <= std::numeric_limits<std::int32_t>::min())
            return std::numeric_limits<std::int32_t>::min();
        return static_cast<std::int32_t>(h);
    }
    // Pixels of a device with pxPerMm pixels to the millimetre, unrounded.
    constexpr double px(double pxPerMm) const { return m_mm * pxPerMm; }

    bool isFinite() const { return std::isfinite(m_mm); }
    // Finite and no longer than limit either way.
    bool isWithin(Length limit) const { return isFinite() && std::fabs(m_mm) <= limit.m_mm; }

    // Arithmetic in single precision, as the layout's own sums are made.
    friend constexpr Length operator+(Length a, Length b) { return Length(a.m_mm + b.m_mm); }
    friend constexpr Length operator-(Length a, Length b) { return Length(a.m_mm - b.m_mm); }
    friend constexpr Length operator*(Length a, float k) { return Length(a.m_mm * k); }
    friend constexpr Length operator/(Length a, float k) { return Length(a.m_mm / k); }
    friend constexpr bool operator==(Length a, Length b) { return a.m_mm == b.m_mm; }
    friend constexpr auto operator<=>(Length a, Length b) { return a.m_mm <=> b.m_mm; }

private:
    constexpr explicit Length(float mm) : m_mm(mm) {}

    float m_mm = 0.0f;
};

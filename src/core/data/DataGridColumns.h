#pragma once

#include <cstdint>

namespace yarrow {

// Columns of the bond data grid, as every source writes it and the bond table reads it.
inline constexpr int16_t cName = 1;     // the bond name
inline constexpr int16_t cCoupon = 2;   // the coupon in percent
inline constexpr int16_t cMaturity = 3; // the maturity date
inline constexpr int16_t cPrice = 4;    // the quote: a bond's price, a bill's yield

} // namespace yarrow

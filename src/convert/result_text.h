// The figures of the area, volume and conversion results.
#pragma once

#include <string>

// `value` through "###,###,###,###.####". A value that is not 0 but would round to 0 at
// four decimals is written with four significant digits instead ("0.000004484"), with
// up to 15 decimals, and smaller still in exponent form ("3.859E-16"): a result is
// never shown as nothing, nor as a 0 it is not.
std::string ResultText(long double value);

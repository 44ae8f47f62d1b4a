// ScaleQuantity over any text and factor, in both modes: a result or a reported error, never a crash.
#include "FuzzInput.h"

#include "base/AppError.h"
#include "quantities/Quantity.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 9)
        return 0;
    double factor;
    std::memcpy(&factor, data, sizeof factor);
    const int mode = data[8] & 1 ? ScaleFraction : ScaleDecimal;
    QString quantity = fuzzText(data + 9, size - 9);
    try {
        ScaleQuantity(quantity, factor, mode);
    } catch (const AppError&) {
    }
    QString plain = fuzzText(data + 9, size - 9);
    try {
        ScaleQuantity(plain, 1.5, mode);
    } catch (const AppError&) {
    }
    return 0;
}

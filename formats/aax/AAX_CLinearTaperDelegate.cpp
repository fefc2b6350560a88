#include "formats/aax/AAX_CLinearTaperDelegate.h"

#include <cmath>

template <typename T, int32_t Reserved>
AAX_CLinearTaperDelegate<T, Reserved>::AAX_CLinearTaperDelegate (T minimumValue, T maximumValue)
    : minimum (minimumValue)
    , maximum (maximumValue)
{
}

template <typename T, int32_t Reserved>
AAX_CLinearTaperDelegate<T, Reserved>* AAX_CLinearTaperDelegate<T, Reserved>::Clone() const
{
    return new AAX_CLinearTaperDelegate (*this);
}

template <typename T, int32_t Reserved>
T AAX_CLinearTaperDelegate<T, Reserved>::GetMaximumValue() const
{
    return maximum;
}

template <typename T, int32_t Reserved>
T AAX_CLinearTaperDelegate<T, Reserved>::GetMinimumValue() const
{
    return minimum;
}

template <typename T, int32_t Reserved>
T AAX_CLinearTaperDelegate<T, Reserved>::ConstrainRealValue (T value) const
{
    if (value > maximum)
        return maximum;

    if (minimum > value)
        return minimum;

    // Neither comparison holds for a NaN; letting it through would put it
    // into the parameter's value and every packet and chunk made from it.
    if (std::isnan (value))
        return minimum;

    return value;
}

template <typename T, int32_t Reserved>
T AAX_CLinearTaperDelegate<T, Reserved>::NormalizedToReal (double normalizedValue) const
{
    const auto low = static_cast<double> (minimum);
    const auto high = static_cast<double> (maximum);
    auto real = low + (high - low) * normalizedValue;

    // The input is not clamped, the result is. Clamping before narrowing keeps
    // a huge normalised value from overflowing T on its way to the same answer.
    if (real > high)
        real = high;
    else if (low > real || std::isnan (real))
        real = low;

    return ConstrainRealValue (static_cast<T> (real));
}

template <typename T, int32_t Reserved>
double AAX_CLinearTaperDelegate<T, Reserved>::RealToNormalized (T realValue) const
{
    const auto low = static_cast<double> (minimum);
    const auto high = static_cast<double> (maximum);
    return (static_cast<double> (ConstrainRealValue (realValue)) - low) / (high - low);
}

template class AAX_CLinearTaperDelegate<float, 0>;

#pragma once

#include "formats/aax/AAX_ITaperDelegate.h"

#include <cstdint>

//==============================================================================
/** A straight line from the normalised range 0..1 onto minimum..maximum.

    State: the two ends of the real range, fixed at construction; maximum is
    expected to differ from minimum. The second template argument only tells
    instantiations apart and changes no conversion.

    Every real value that leaves this taper lies inside the range: a NaN, from a
    host or from a restored chunk, is taken as the minimum so that a parameter
    never stores one.
*/
template <typename T, int32_t Reserved>
class AAX_CLinearTaperDelegate : public AAX_ITaperDelegate<T>
{
public:
    AAX_CLinearTaperDelegate (T minimumValue, T maximumValue);

    AAX_CLinearTaperDelegate* Clone() const override;
    T GetMaximumValue() const override;
    T GetMinimumValue() const override;
    T ConstrainRealValue (T value) const override;
    T NormalizedToReal (double normalizedValue) const override;
    double RealToNormalized (T realValue) const override;

private:
    T minimum;
    T maximum;
};

extern template class AAX_CLinearTaperDelegate<float, 0>;

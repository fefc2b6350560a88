#pragma once

#include "formats/aax/AAX_ITaperDelegate.h"

//==============================================================================
/** An on/off taper: any positive normalised value is on. Holds no state. */
template <typename T>
class AAX_CBinaryTaperDelegate : public AAX_ITaperDelegate<T>
{
public:
    AAX_CBinaryTaperDelegate() = default;

    AAX_CBinaryTaperDelegate* Clone() const override;
    T GetMaximumValue() const override;
    T GetMinimumValue() const override;
    T ConstrainRealValue (T value) const override;
    T NormalizedToReal (double normalizedValue) const override;
    double RealToNormalized (T realValue) const override;
};

extern template class AAX_CBinaryTaperDelegate<bool>;

#include "formats/aax/AAX_CBinaryTaperDelegate.h"

template <typename T>
AAX_CBinaryTaperDelegate<T>* AAX_CBinaryTaperDelegate<T>::Clone() const
{
    return new AAX_CBinaryTaperDelegate (*this);
}

template <typename T>
T AAX_CBinaryTaperDelegate<T>::GetMaximumValue() const
{
    return true;
}

template <typename T>
T AAX_CBinaryTaperDelegate<T>::GetMinimumValue() const
{
    return false;
}

template <typename T>
T AAX_CBinaryTaperDelegate<T>::ConstrainRealValue (T value) const
{
    return value;
}

template <typename T>
T AAX_CBinaryTaperDelegate<T>::NormalizedToReal (double normalizedValue) const
{
    // A NaN compares false, so it reads as off like 0 and negative values.
    return normalizedValue > 0.0;
}

template <typename T>
double AAX_CBinaryTaperDelegate<T>::RealToNormalized (T realValue) const
{
    return realValue ? 1.0 : 0.0;
}

template class AAX_CBinaryTaperDelegate<bool>;

#include "formats/aax/AAX_CNumberDisplayDelegate.h"

#include "formats/aax/AAX_CString.h"

template <typename T, uint32_t Precision, uint32_t Reserved>
AAX_CNumberDisplayDelegate<T, Precision, Reserved>* AAX_CNumberDisplayDelegate<T, Precision, Reserved>::Clone() const
{
    return new AAX_CNumberDisplayDelegate (*this);
}

template <typename T, uint32_t Precision, uint32_t Reserved>
bool AAX_CNumberDisplayDelegate<T, Precision, Reserved>::ValueToString (T value, AAX_CString* valueString) const
{
    if (valueString == nullptr)
        return false;

    valueString->Clear();
    valueString->AppendNumber (static_cast<double> (value), static_cast<int32_t> (Precision));
    return true;
}

template <typename T, uint32_t Precision, uint32_t Reserved>
bool AAX_CNumberDisplayDelegate<T, Precision, Reserved>::ValueToString (T value, int32_t maxNumChars, AAX_CString* valueString) const
{
    if (! ValueToString (value, valueString))
        return false;

    const auto limit = maxNumChars < 0 ? 0u : static_cast<uint32_t> (maxNumChars);
    const auto length = valueString->Length();

    if (length > limit)
        valueString->Erase (limit, length - limit);

    if (limit != 0 && valueString->Length() == limit && (*valueString)[limit - 1] == '.')
        valueString->Erase (limit - 1, 1);

    return true;
}

template <typename T, uint32_t Precision, uint32_t Reserved>
bool AAX_CNumberDisplayDelegate<T, Precision, Reserved>::StringToValue (const AAX_CString& valueString, T* value) const
{
    if (value == nullptr)
        return false;

    double number = 0.0;

    if (valueString.ToDouble (&number))
    {
        *value = static_cast<T> (number);
        return true;
    }

    *value = T();
    return false;
}

template class AAX_CNumberDisplayDelegate<float, 3u, 0u>;

#include "formats/aax/AAX_CBinaryDisplayDelegate.h"

template <typename T>
AAX_CBinaryDisplayDelegate<T>::AAX_CBinaryDisplayDelegate (const char* falseString, const char* trueString)
    : falseText (falseString)
    , trueText (trueString)
    , longestLength (falseText.Length() > trueText.Length() ? falseText.Length() : trueText.Length())
{
}

template <typename T>
void AAX_CBinaryDisplayDelegate<T>::AddShortenedStrings (int32_t maxNumChars, const char* falseString, const char* trueString)
{
    shortenedStrings.push_back ({ maxNumChars, AAX_CString (falseString), AAX_CString (trueString) });
}

template <typename T>
AAX_CBinaryDisplayDelegate<T>* AAX_CBinaryDisplayDelegate<T>::Clone() const
{
    return new AAX_CBinaryDisplayDelegate (*this);
}

template <typename T>
bool AAX_CBinaryDisplayDelegate<T>::ValueToString (T value, AAX_CString* valueString) const
{
    if (valueString == nullptr)
        return false;

    *valueString = value ? trueText : falseText;
    return true;
}

template <typename T>
bool AAX_CBinaryDisplayDelegate<T>::ValueToString (T value, int32_t maxNumChars, AAX_CString* valueString) const
{
    const auto limit = maxNumChars < 0 ? 0 : maxNumChars;

    if (shortenedStrings.empty() || static_cast<uint32_t> (limit) >= longestLength)
        return ValueToString (value, valueString);

    if (valueString == nullptr)
        return false;

    // The pairs are searched from the last added; when none is short enough
    // the first one is still the best there is.
    const ShortenedStrings* chosen = &shortenedStrings.front();

    for (auto pair = shortenedStrings.rbegin(); pair != shortenedStrings.rend(); ++pair)
    {
        if (pair->maxNumChars <= limit)
        {
            chosen = &*pair;
            break;
        }
    }

    *valueString = value ? chosen->trueText : chosen->falseText;
    return true;
}

template <typename T>
bool AAX_CBinaryDisplayDelegate<T>::StringToValue (const AAX_CString& valueString, T* value) const
{
    if (value == nullptr)
        return false;

    if (valueString == trueText)
    {
        *value = true;
        return true;
    }

    *value = false;
    return valueString == falseText;
}

template class AAX_CBinaryDisplayDelegate<bool>;

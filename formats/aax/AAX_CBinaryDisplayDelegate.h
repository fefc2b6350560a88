#pragma once

#include "formats/aax/AAX_CString.h"
#include "formats/aax/AAX_IDisplayDelegate.h"

#include <cstdint>
#include <vector>

//==============================================================================
/** Shows an on/off value as one of two texts and reads exactly those texts back.

    State: the texts for false and for true; the length of the longer of the
    two; and the shorter text pairs offered for narrow displays, in the order
    they were added, each usable from its own maximum length on. Copies are
    member-wise and independent.
*/
template <typename T>
class AAX_CBinaryDisplayDelegate : public AAX_IDisplayDelegate<T>
{
public:
    AAX_CBinaryDisplayDelegate (const char* falseString, const char* trueString);

    /** Offers a shorter pair of texts for displays of at most maxNumChars. */
    void AddShortenedStrings (int32_t maxNumChars, const char* falseString, const char* trueString);

    AAX_CBinaryDisplayDelegate* Clone() const override;
    bool ValueToString (T value, AAX_CString* valueString) const override;
    bool ValueToString (T value, int32_t maxNumChars, AAX_CString* valueString) const override;

    /** Only the true or the false text, whole and case for case, is read. */
    bool StringToValue (const AAX_CString& valueString, T* value) const override;

private:
    struct ShortenedStrings
    {
        int32_t maxNumChars;
        AAX_CString falseText;
        AAX_CString trueText;
    };

    AAX_CString falseText;
    AAX_CString trueText;
    uint32_t longestLength;
    std::vector<ShortenedStrings> shortenedStrings;
};

extern template class AAX_CBinaryDisplayDelegate<bool>;

#pragma once

#include "formats/aax/AAX_IDisplayDelegate.h"

#include <cstdint>

//==============================================================================
/** Shows a value as a fixed-point number with Precision digits after the point
    and reads any text that starts with a number. Holds no state; the third
    template argument only tells instantiations apart and changes no text.
*/
template <typename T, uint32_t Precision, uint32_t Reserved>
class AAX_CNumberDisplayDelegate : public AAX_IDisplayDelegate<T>
{
public:
    AAX_CNumberDisplayDelegate() = default;

    AAX_CNumberDisplayDelegate* Clone() const override;
    bool ValueToString (T value, AAX_CString* valueString) const override;

    /** Cut to maxNumChars characters; a point left dangling at the end of a cut
        text is dropped too, so 12.5 in three characters shows "12".
    */
    bool ValueToString (T value, int32_t maxNumChars, AAX_CString* valueString) const override;
    bool StringToValue (const AAX_CString& valueString, T* value) const override;
};

extern template class AAX_CNumberDisplayDelegate<float, 3u, 0u>;

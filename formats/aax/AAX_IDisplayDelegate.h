#pragma once

#include <cstdint>

class AAX_CString;

//==============================================================================
/** Lets a parameter hold a display delegate of any value type behind one
    pointer type.
*/
class AAX_IDisplayDelegateBase
{
public:
    virtual ~AAX_IDisplayDelegateBase() = default;
};

//==============================================================================
/** Turns a parameter's real value into text for the host and reads typed text
    back. None of the operations changes the delegate.
*/
template <typename T>
class AAX_IDisplayDelegate : public AAX_IDisplayDelegateBase
{
public:
    ~AAX_IDisplayDelegate() override = default;

    /** A new copy, owned by the caller. */
    virtual AAX_IDisplayDelegate* Clone() const = 0;
    virtual bool ValueToString (T value, AAX_CString* valueString) const = 0;
    virtual bool ValueToString (T value, int32_t maxNumChars, AAX_CString* valueString) const = 0;

    /** On text it cannot read, writes the zero value of T and answers false. */
    virtual bool StringToValue (const AAX_CString& valueString, T* value) const = 0;
};

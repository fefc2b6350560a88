#pragma once

#include <cstdint>

class AAX_CString;
class AAX_IString;
class AAX_IAutomationDelegate;
class AAX_ITaperDelegateBase;
class AAX_IDisplayDelegateBase;

//==============================================================================
/** One parameter as an AAX host sees it. The order of the operations is the
    order callers rely on.

    A set operation is a request: while a host automation delegate is attached
    it only asks the host, whose answer arrives later through
    UpdateNormalizedValue. Normalised values run from 0 to 1.
*/
class AAX_IParameter
{
public:
    /** Values of SetType / GetType. */
    static constexpr int32_t discreteType = 0;
    static constexpr int32_t continuousType = 1;

    virtual ~AAX_IParameter() = default;

    /** NUL-terminated, at most 31 characters, valid while the parameter lives. */
    virtual const char* Identifier() const = 0;
    virtual void SetName (const AAX_CString& name) = 0;
    virtual const AAX_CString& Name() const = 0;
    virtual void AddShortenedName (const AAX_CString& name) = 0;
    virtual const AAX_CString& ShortenedName (int32_t maxNumChars) const = 0;
    virtual void ClearShortenedNames() = 0;
    virtual bool Automatable() const = 0;

    /** Not owned; may be null. */
    virtual void SetAutomationDelegate (AAX_IAutomationDelegate* automationDelegate) = 0;
    virtual void Touch() = 0;
    virtual void Release() = 0;

    virtual void SetNormalizedValue (double normalizedValue) = 0;
    virtual double GetNormalizedValue() const = 0;
    virtual void SetNormalizedDefaultValue (double normalizedDefault) = 0;
    virtual double GetNormalizedDefaultValue() const = 0;
    virtual void SetToDefaultValue() = 0;

    virtual void SetNumberOfSteps (uint32_t numSteps) = 0;
    virtual uint32_t GetNumberOfSteps() const = 0;
    virtual uint32_t GetStepValue() const = 0;
    virtual void SetStepValue (uint32_t step) = 0;

    virtual bool GetValueString (AAX_CString* valueString) const = 0;
    virtual bool GetValueString (int32_t maxNumChars, AAX_CString* valueString) const = 0;
    virtual bool GetNormalizedValueFromString (const AAX_CString& valueString, double* normalizedValue) const = 0;
    virtual bool GetStringFromNormalizedValue (double normalizedValue, AAX_CString& valueString) const = 0;
    virtual bool GetStringFromNormalizedValue (double normalizedValue, int32_t maxNumChars, AAX_CString& valueString) const = 0;
    virtual bool SetValueFromString (const AAX_CString& valueString) = 0;

    /** Only the accessor of the parameter's own type answers true. */
    virtual bool GetValueAsBool (bool* value) const = 0;
    virtual bool GetValueAsInt32 (int32_t* value) const = 0;
    virtual bool GetValueAsFloat (float* value) const = 0;
    virtual bool GetValueAsDouble (double* value) const = 0;
    virtual bool GetValueAsString (AAX_IString* value) const = 0;

    /** Only the setter of the parameter's own type acts and answers true. */
    virtual bool SetValueWithBool (bool value) = 0;
    virtual bool SetValueWithInt32 (int32_t value) = 0;
    virtual bool SetValueWithFloat (float value) = 0;
    virtual bool SetValueWithDouble (double value) = 0;
    virtual bool SetValueWithString (const AAX_IString& value) = 0;

    virtual void SetType (int32_t type) = 0;
    virtual int32_t GetType() const = 0;
    virtual void SetOrientation (int32_t orientation) = 0;
    virtual int32_t GetOrientation() const = 0;

    /** The delegates are cloned; the caller keeps what it passed. */
    virtual void SetTaperDelegate (const AAX_ITaperDelegateBase& taperDelegate, bool preserveValue) = 0;
    virtual void SetDisplayDelegate (const AAX_IDisplayDelegateBase& displayDelegate) = 0;

    /** The host's answer to a request: stores the value and reports it back. */
    virtual void UpdateNormalizedValue (double normalizedValue) = 0;
};

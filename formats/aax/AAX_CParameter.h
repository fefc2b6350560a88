#pragma once

#include "formats/aax/AAX_CString.h"
#include "formats/aax/AAX_IDisplayDelegate.h"
#include "formats/aax/AAX_IParameter.h"
#include "formats/aax/AAX_ITaperDelegate.h"

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>

//==============================================================================
/** The library's parameter, for a float value or an on/off value.

    State:
    - identifier: at most 31 characters and a NUL, fixed at construction;
    - name, and shortened names keyed by their own length in characters;
    - automatable flag (fixed), number of steps, type (0 discrete, 1 continuous),
      orientation code (stored for the host, never interpreted);
    - taper and display delegates: the parameter's own clones, never null;
    - automation delegate: the host's, not owned, null until attached;
    - needs-update flag: makes the next update store and report even an
      unchanged value;
    - value: the current real value, always inside the taper's range and never
      a NaN. It is atomic because the packet dispatcher reads it on the
      coefficient thread while host calls update it;
    - default value: the real default, as given.

    The normalised value is never stored; it is always worked out from the real
    value through the taper.
*/
template <typename T>
class AAX_CParameter : public AAX_IParameter
{
public:
    AAX_CParameter (const char* identifier,
                    const AAX_CString& name,
                    T defaultValue,
                    const AAX_ITaperDelegate<T>& taperDelegate,
                    const AAX_IDisplayDelegate<T>& displayDelegate,
                    bool automatable);
    ~AAX_CParameter() override;

    AAX_CParameter (const AAX_CParameter&) = delete;
    AAX_CParameter& operator= (const AAX_CParameter&) = delete;

    const char* Identifier() const override;
    void SetName (const AAX_CString& name) override;
    const AAX_CString& Name() const override;
    void AddShortenedName (const AAX_CString& name) override;
    const AAX_CString& ShortenedName (int32_t maxNumChars) const override;
    void ClearShortenedNames() override;
    bool Automatable() const override;

    void SetAutomationDelegate (AAX_IAutomationDelegate* automationDelegate) override;
    void Touch() override;
    void Release() override;

    void SetNormalizedValue (double normalizedValue) override;
    double GetNormalizedValue() const override;
    void SetNormalizedDefaultValue (double normalizedDefault) override;
    double GetNormalizedDefaultValue() const override;
    void SetToDefaultValue() override;

    void SetNumberOfSteps (uint32_t numSteps) override;
    uint32_t GetNumberOfSteps() const override;
    uint32_t GetStepValue() const override;
    void SetStepValue (uint32_t step) override;

    bool GetValueString (AAX_CString* valueString) const override;
    bool GetValueString (int32_t maxNumChars, AAX_CString* valueString) const override;
    bool GetNormalizedValueFromString (const AAX_CString& valueString, double* normalizedValue) const override;
    bool GetStringFromNormalizedValue (double normalizedValue, AAX_CString& valueString) const override;
    bool GetStringFromNormalizedValue (double normalizedValue, int32_t maxNumChars, AAX_CString& valueString) const override;
    bool SetValueFromString (const AAX_CString& valueString) override;

    bool GetValueAsBool (bool* value) const override;
    bool GetValueAsInt32 (int32_t* value) const override;
    bool GetValueAsFloat (float* value) const override;
    bool GetValueAsDouble (double* value) const override;
    bool GetValueAsString (AAX_IString* value) const override;

    bool SetValueWithBool (bool value) override;
    bool SetValueWithInt32 (int32_t value) override;
    bool SetValueWithFloat (float value) override;
    bool SetValueWithDouble (double value) override;
    bool SetValueWithString (const AAX_IString& value) override;

    void SetType (int32_t type) override;
    int32_t GetType() const override;
    void SetOrientation (int32_t orientation) override;
    int32_t GetOrientation() const override;

    /** A delegate of another value type than T is ignored. */
    void SetTaperDelegate (const AAX_ITaperDelegateBase& taperDelegate, bool preserveValue) override;
    void SetDisplayDelegate (const AAX_IDisplayDelegateBase& displayDelegate) override;

    void UpdateNormalizedValue (double normalizedValue) override;

    /** A request for a real value (constrained by the taper). */
    void SetValue (T newValue);

    /** The current real value; safe to call from any thread. */
    T GetValue() const;

private:
    static constexpr uint32_t identifierCapacity = 32;

    void requestNormalizedValue (double normalizedValue);

    template <typename Wanted>
    bool readValueAs (Wanted* destination) const;

    template <typename Given>
    bool requestValueOf (Given newValue);

    char identifierText[identifierCapacity] {};
    AAX_CString nameText;
    std::map<uint32_t, AAX_CString> shortenedNames;
    const bool automatable;
    uint32_t numberOfSteps = 0;
    int32_t parameterType = continuousType;
    int32_t orientationCode = 0;
    std::unique_ptr<AAX_ITaperDelegate<T>> taper;
    std::unique_ptr<AAX_IDisplayDelegate<T>> display;
    AAX_IAutomationDelegate* automation = nullptr;
    bool needsUpdate = true;
    std::atomic<T> value;
    T defaultRealValue;
};

extern template class AAX_CParameter<float>;
extern template class AAX_CParameter<bool>;

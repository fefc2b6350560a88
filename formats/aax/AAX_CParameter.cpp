#include "formats/aax/AAX_CParameter.h"

#include "formats/aax/AAX_IAutomationDelegate.h"

#include <cmath>
#include <cstring>
#include <iterator>
#include <type_traits>

namespace
{
template <typename Value>
bool isNotANumber (Value value)
{
    if constexpr (std::is_floating_point_v<Value>)
        return std::isnan (value);
    else
        return false;
}
} // namespace

//==============================================================================
template <typename T>
AAX_CParameter<T>::AAX_CParameter (const char* identifier,
                                   const AAX_CString& name,
                                   T defaultValue,
                                   const AAX_ITaperDelegate<T>& taperDelegate,
                                   const AAX_IDisplayDelegate<T>& displayDelegate,
                                   bool isAutomatable)
    : nameText (name)
    , automatable (isAutomatable)
    , taper (taperDelegate.Clone())
    , display (displayDelegate.Clone())
    , value (T())
    , defaultRealValue (defaultValue)
{
    if (identifier != nullptr)
    {
        // Hosts keep identifiers in 32-byte fields; a longer one is cut, never
        // left without its terminator.
        const auto length = std::strlen (identifier);
        const auto kept = length < identifierCapacity - 1 ? length : identifierCapacity - 1;
        std::memcpy (identifierText, identifier, kept);
        identifierText[kept] = '\0';
    }

    if (numberOfSteps == 0)
        SetNumberOfSteps (parameterType == continuousType ? 128u : 2u);

    SetToDefaultValue();
}

template <typename T>
AAX_CParameter<T>::~AAX_CParameter()
{
    if (automation != nullptr)
    {
        try
        {
            automation->UnregisterParameter (identifierText);
        }
        catch (...)
        {
        }
    }

    automation = nullptr;
}

//==============================================================================
template <typename T>
const char* AAX_CParameter<T>::Identifier() const
{
    return identifierText;
}

template <typename T>
void AAX_CParameter<T>::SetName (const AAX_CString& name)
{
    nameText = name;
}

template <typename T>
const AAX_CString& AAX_CParameter<T>::Name() const
{
    return nameText;
}

template <typename T>
void AAX_CParameter<T>::AddShortenedName (const AAX_CString& name)
{
    shortenedNames[name.Length()] = name;
}

template <typename T>
const AAX_CString& AAX_CParameter<T>::ShortenedName (int32_t maxNumChars) const
{
    if (static_cast<int64_t> (nameText.Length()) <= maxNumChars || shortenedNames.empty() || maxNumChars < 0)
        return nameText;

    // The longest name that fits; when none fits, the shortest there is.
    const auto firstTooLong = shortenedNames.upper_bound (static_cast<uint32_t> (maxNumChars));

    if (firstTooLong == shortenedNames.begin())
        return firstTooLong->second;

    return std::prev (firstTooLong)->second;
}

template <typename T>
void AAX_CParameter<T>::ClearShortenedNames()
{
    shortenedNames.clear();
}

template <typename T>
bool AAX_CParameter<T>::Automatable() const
{
    return automatable;
}

//==============================================================================
template <typename T>
void AAX_CParameter<T>::SetAutomationDelegate (AAX_IAutomationDelegate* automationDelegate)
{
    if (automation != nullptr)
        automation->UnregisterParameter (Identifier());

    automation = automationDelegate;

    if (automation != nullptr)
        automation->RegisterParameter (Identifier());
}

template <typename T>
void AAX_CParameter<T>::Touch()
{
    if (automation != nullptr)
        automation->PostTouchRequest (Identifier());
}

template <typename T>
void AAX_CParameter<T>::Release()
{
    if (automation != nullptr)
        automation->PostReleaseRequest (Identifier());
}

template <typename T>
void AAX_CParameter<T>::requestNormalizedValue (double normalizedValue)
{
    // With the host's automation attached the value is the host's to change:
    // it answers through UpdateNormalizedValue, possibly much later.
    if (automation != nullptr)
    {
        Touch();
        automation->PostSetValueRequest (Identifier(), normalizedValue);
        Release();
        return;
    }

    needsUpdate = true;
    UpdateNormalizedValue (normalizedValue);
}

template <typename T>
void AAX_CParameter<T>::UpdateNormalizedValue (double normalizedValue)
{
    const T real = taper->NormalizedToReal (normalizedValue);

    // Only a taper of someone else's could hand back a NaN; refusing it keeps
    // the stored value a number whatever taper is installed.
    if (isNotANumber (real))
        return;

    if (! needsUpdate && real == value.load())
        return;

    value.store (real);

    if (automation != nullptr)
    {
        // The host is told the value it sent, except that a NaN is replaced by
        // the position of what was actually stored.
        const auto reported = std::isnan (normalizedValue) ? taper->RealToNormalized (real) : normalizedValue;
        automation->PostCurrentValue (Identifier(), reported);
    }

    needsUpdate = false;
}

//==============================================================================
template <typename T>
void AAX_CParameter<T>::SetNormalizedValue (double normalizedValue)
{
    // Snapped to what the taper can represent before it goes to the host.
    requestNormalizedValue (taper->RealToNormalized (taper->NormalizedToReal (normalizedValue)));
}

template <typename T>
double AAX_CParameter<T>::GetNormalizedValue() const
{
    return taper->RealToNormalized (value.load());
}

template <typename T>
void AAX_CParameter<T>::SetNormalizedDefaultValue (double normalizedDefault)
{
    defaultRealValue = taper->ConstrainRealValue (taper->NormalizedToReal (normalizedDefault));
}

template <typename T>
double AAX_CParameter<T>::GetNormalizedDefaultValue() const
{
    return taper->RealToNormalized (defaultRealValue);
}

template <typename T>
void AAX_CParameter<T>::SetToDefaultValue()
{
    requestNormalizedValue (taper->RealToNormalized (defaultRealValue));
}

template <typename T>
void AAX_CParameter<T>::SetValue (T newValue)
{
    requestNormalizedValue (taper->RealToNormalized (newValue));
}

template <typename T>
T AAX_CParameter<T>::GetValue() const
{
    return value.load();
}

//==============================================================================
template <typename T>
void AAX_CParameter<T>::SetNumberOfSteps (uint32_t numSteps)
{
    numberOfSteps = numSteps;
}

template <typename T>
uint32_t AAX_CParameter<T>::GetNumberOfSteps() const
{
    return numberOfSteps;
}

template <typename T>
uint32_t AAX_CParameter<T>::GetStepValue() const
{
    const auto steps = GetNumberOfSteps();

    if (steps < 2)
        return 0;

    const auto lastStep = static_cast<double> (steps) - 1.0;
    const auto increment = 1.0 / lastStep;
    const auto step = GetNormalizedValue() / increment + 0.5;

    if (step < 0.0)
        return 0;

    if (step > lastStep)
        return steps - 1;

    return static_cast<uint32_t> (step);
}

template <typename T>
void AAX_CParameter<T>::SetStepValue (uint32_t step)
{
    const auto steps = GetNumberOfSteps();

    if (steps < 2)
        return;

    auto normalized = static_cast<double> (step) * (1.0 / (static_cast<double> (steps) - 1.0));

    if (normalized > 1.0)
        normalized = 1.0;
    else if (normalized < 0.0)
        normalized = 0.0;

    SetNormalizedValue (normalized);
}

//==============================================================================
template <typename T>
bool AAX_CParameter<T>::GetValueString (AAX_CString* valueString) const
{
    return display->ValueToString (value.load(), valueString);
}

template <typename T>
bool AAX_CParameter<T>::GetValueString (int32_t maxNumChars, AAX_CString* valueString) const
{
    return display->ValueToString (value.load(), maxNumChars, valueString);
}

template <typename T>
bool AAX_CParameter<T>::GetNormalizedValueFromString (const AAX_CString& valueString, double* normalizedValue) const
{
    T real {};

    if (! display->StringToValue (valueString, &real))
        return false;

    if (normalizedValue == nullptr)
        return false;

    // Written even when out of range: the host gets the nearest position and
    // learns from the answer that the text asked for more.
    *normalizedValue = taper->RealToNormalized (real);

    return ! (isNotANumber (real) || real > taper->GetMaximumValue() || real < taper->GetMinimumValue());
}

template <typename T>
bool AAX_CParameter<T>::GetStringFromNormalizedValue (double normalizedValue, AAX_CString& valueString) const
{
    const T real = taper->NormalizedToReal (normalizedValue);

    if (! display->ValueToString (real, &valueString))
        return false;

    return ! (isNotANumber (real) || real > taper->GetMaximumValue() || real < taper->GetMinimumValue());
}

template <typename T>
bool AAX_CParameter<T>::GetStringFromNormalizedValue (double normalizedValue, int32_t maxNumChars, AAX_CString& valueString) const
{
    const T real = taper->NormalizedToReal (normalizedValue);

    if (! display->ValueToString (real, maxNumChars, &valueString))
        return false;

    return ! (isNotANumber (real) || real > taper->GetMaximumValue() || real < taper->GetMinimumValue());
}

template <typename T>
bool AAX_CParameter<T>::SetValueFromString (const AAX_CString& valueString)
{
    T real {};

    if (! display->StringToValue (valueString, &real))
        return false;

    // No range test: a text above the maximum asks for the maximum.
    requestNormalizedValue (taper->RealToNormalized (real));
    return true;
}

//==============================================================================
template <typename T>
template <typename Wanted>
bool AAX_CParameter<T>::readValueAs (Wanted* destination) const
{
    if constexpr (std::is_same_v<Wanted, T>)
    {
        if (destination == nullptr)
            return false;

        *destination = value.load();
        return true;
    }
    else
    {
        (void) destination;
        return false;
    }
}

template <typename T>
template <typename Given>
bool AAX_CParameter<T>::requestValueOf (Given newValue)
{
    if constexpr (std::is_same_v<Given, T>)
    {
        SetValue (newValue);
        return true;
    }
    else
    {
        (void) newValue;
        return false;
    }
}

template <typename T>
bool AAX_CParameter<T>::GetValueAsBool (bool* destination) const
{
    return readValueAs (destination);
}

template <typename T>
bool AAX_CParameter<T>::GetValueAsInt32 (int32_t* destination) const
{
    return readValueAs (destination);
}

template <typename T>
bool AAX_CParameter<T>::GetValueAsFloat (float* destination) const
{
    return readValueAs (destination);
}

template <typename T>
bool AAX_CParameter<T>::GetValueAsDouble (double* destination) const
{
    return readValueAs (destination);
}

template <typename T>
bool AAX_CParameter<T>::GetValueAsString (AAX_IString*) const
{
    return false;
}

template <typename T>
bool AAX_CParameter<T>::SetValueWithBool (bool newValue)
{
    return requestValueOf (newValue);
}

template <typename T>
bool AAX_CParameter<T>::SetValueWithInt32 (int32_t newValue)
{
    return requestValueOf (newValue);
}

template <typename T>
bool AAX_CParameter<T>::SetValueWithFloat (float newValue)
{
    return requestValueOf (newValue);
}

template <typename T>
bool AAX_CParameter<T>::SetValueWithDouble (double newValue)
{
    return requestValueOf (newValue);
}

template <typename T>
bool AAX_CParameter<T>::SetValueWithString (const AAX_IString&)
{
    return false;
}

//==============================================================================
template <typename T>
void AAX_CParameter<T>::SetType (int32_t type)
{
    parameterType = type;
}

template <typename T>
int32_t AAX_CParameter<T>::GetType() const
{
    return parameterType;
}

template <typename T>
void AAX_CParameter<T>::SetOrientation (int32_t orientation)
{
    orientationCode = orientation;
}

template <typename T>
int32_t AAX_CParameter<T>::GetOrientation() const
{
    return orientationCode;
}

//==============================================================================
template <typename T>
void AAX_CParameter<T>::SetTaperDelegate (const AAX_ITaperDelegateBase& taperDelegate, bool preserveValue)
{
    // The interface takes any taper; one of another value type would be read
    // as the wrong class, so it is refused.
    const auto* typedTaper = dynamic_cast<const AAX_ITaperDelegate<T>*> (&taperDelegate);

    if (typedTaper == nullptr)
        return;

    std::unique_ptr<AAX_ITaperDelegate<T>> replacement (typedTaper->Clone());

    if (replacement == nullptr)
        return;

    const auto previousNormalized = GetNormalizedValue();
    taper = std::move (replacement);
    needsUpdate = true;

    if (preserveValue)
        requestNormalizedValue (taper->RealToNormalized (value.load()));
    else
        UpdateNormalizedValue (previousNormalized);
}

template <typename T>
void AAX_CParameter<T>::SetDisplayDelegate (const AAX_IDisplayDelegateBase& displayDelegate)
{
    const auto* typedDisplay = dynamic_cast<const AAX_IDisplayDelegate<T>*> (&displayDelegate);

    if (typedDisplay == nullptr)
        return;

    std::unique_ptr<AAX_IDisplayDelegate<T>> replacement (typedDisplay->Clone());

    if (replacement == nullptr)
        return;

    display = std::move (replacement);

    // The value is unchanged, but its text is not: the host redraws on this.
    if (automation != nullptr)
        automation->PostCurrentValue (Identifier(), GetNormalizedValue());
}

template class AAX_CParameter<float>;
template class AAX_CParameter<bool>;

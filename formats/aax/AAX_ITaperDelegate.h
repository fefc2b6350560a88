#pragma once

//==============================================================================
/** Lets a parameter hold a taper of any value type behind one pointer type. */
class AAX_ITaperDelegateBase
{
public:
    virtual ~AAX_ITaperDelegateBase() = default;
};

//==============================================================================
/** Maps between the host's normalised 0..1 value and a parameter's real value.
    None of the operations changes the delegate, so one clone can be shared by
    readers on any thread.
*/
template <typename T>
class AAX_ITaperDelegate : public AAX_ITaperDelegateBase
{
public:
    ~AAX_ITaperDelegate() override = default;

    /** A new copy, owned by the caller. */
    virtual AAX_ITaperDelegate* Clone() const = 0;
    virtual T GetMaximumValue() const = 0;
    virtual T GetMinimumValue() const = 0;
    virtual T ConstrainRealValue (T value) const = 0;
    virtual T NormalizedToReal (double normalizedValue) const = 0;
    virtual double RealToNormalized (T realValue) const = 0;
};

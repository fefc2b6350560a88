#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

class AAX_IAutomationDelegate;
class AAX_IParameter;

/**
    The parameters of one effect, in registration order, owned, with a lookup by
    identifier. Every parameter added is given the host's automation delegate.

    State:
    - automation delegate: the host's, not owned; given to each parameter added;
    - parameters: in registration order, owned;
    - index: identifier to parameter.

    The list changes only while the effect initialises and uninitialises; every
    other use only reads it.
*/
class AAX_CParameterRegistry
{
public:
    AAX_CParameterRegistry();
    ~AAX_CParameterRegistry();

    AAX_CParameterRegistry (const AAX_CParameterRegistry&) = delete;
    AAX_CParameterRegistry& operator= (const AAX_CParameterRegistry&) = delete;

    /** Stores the delegate for parameters added from now on (null for none). */
    void Initialize (AAX_IAutomationDelegate* automationDelegate);

    /**
        Takes ownership of the parameter, gives it the automation delegate and
        appends it. A parameter whose identifier is already registered is
        deleted, not stored, and so is one without an identifier; returns whether
        the parameter was stored.
    */
    bool AddParameter (AAX_IParameter* parameter);

    /** Deletes every parameter, in registration order, and empties the registry. */
    void RemoveAllParameters();

    int32_t NumParameters() const;

    /** Null for a null or unknown identifier. */
    AAX_IParameter* GetParameterByID (const char* identifier);
    const AAX_IParameter* GetParameterByID (const char* identifier) const;

    /** Position of the parameter with that identifier; -1 for a null or unknown one. */
    int32_t GetParameterIndex (const char* identifier) const;

    /** Null for an index outside the list. */
    AAX_IParameter* GetParameter (int32_t index);
    const AAX_IParameter* GetParameter (int32_t index) const;

private:
    AAX_IAutomationDelegate* automation = nullptr;
    std::vector<std::unique_ptr<AAX_IParameter>> parameters;
    std::map<std::string, AAX_IParameter*> index;
};

#include "formats/aax/AAX_CParameterRegistry.h"

#include "formats/aax/AAX_IParameter.h"

#include <cstring>

AAX_CParameterRegistry::AAX_CParameterRegistry() = default;

AAX_CParameterRegistry::~AAX_CParameterRegistry()
{
    RemoveAllParameters();
}

void AAX_CParameterRegistry::Initialize (AAX_IAutomationDelegate* automationDelegate)
{
    automation = automationDelegate;
}

bool AAX_CParameterRegistry::AddParameter (AAX_IParameter* parameter)
{
    // Ownership passes with the call, stored or not: a refused parameter would
    // otherwise be lost to everyone.
    std::unique_ptr<AAX_IParameter> added (parameter);

    if (added == nullptr || added->Identifier() == nullptr || index.count (added->Identifier()) != 0)
        return false;

    added->SetAutomationDelegate (automation);
    index.emplace (added->Identifier(), added.get());
    parameters.push_back (std::move (added));
    return true;
}

void AAX_CParameterRegistry::RemoveAllParameters()
{
    // One by one in order, each parameter unregistering from the host as it goes.
    index.clear();

    for (auto& parameter : parameters)
        parameter.reset();

    parameters.clear();
}

int32_t AAX_CParameterRegistry::NumParameters() const
{
    return static_cast<int32_t> (parameters.size());
}

AAX_IParameter* AAX_CParameterRegistry::GetParameterByID (const char* identifier)
{
    if (identifier == nullptr)
        return nullptr;

    const auto found = index.find (identifier);
    return found != index.end() ? found->second : nullptr;
}

const AAX_IParameter* AAX_CParameterRegistry::GetParameterByID (const char* identifier) const
{
    return const_cast<AAX_CParameterRegistry*> (this)->GetParameterByID (identifier);
}

int32_t AAX_CParameterRegistry::GetParameterIndex (const char* identifier) const
{
    if (identifier == nullptr)
        return -1;

    for (size_t position = 0; position < parameters.size(); ++position)
        if (std::strcmp (parameters[position]->Identifier(), identifier) == 0)
            return static_cast<int32_t> (position);

    return -1;
}

AAX_IParameter* AAX_CParameterRegistry::GetParameter (int32_t position)
{
    if (position < 0 || static_cast<size_t> (position) >= parameters.size())
        return nullptr;

    return parameters[static_cast<size_t> (position)].get();
}

const AAX_IParameter* AAX_CParameterRegistry::GetParameter (int32_t position) const
{
    return const_cast<AAX_CParameterRegistry*> (this)->GetParameter (position);
}

#include "formats/aax/AAX_CString.h"

#include <algorithm>
#include <cstring>
#include <locale>
#include <sstream>

namespace
{
const char* orEmpty (const char* text)
{
    return text != nullptr ? text : "";
}
} // namespace

AAX_CString::AAX_CString() = default;

AAX_CString::AAX_CString (const char* newText)
    : text (orEmpty (newText))
{
}

AAX_CString::AAX_CString (const AAX_CString& other)
    : AAX_IString()
    , text (other.text)
{
}

AAX_CString::AAX_CString (const AAX_IString& other)
    : text (orEmpty (other.Get()))
{
}

AAX_CString::~AAX_CString() = default;

uint32_t AAX_CString::Length() const
{
    return static_cast<uint32_t> (std::min<size_t> (text.size(), kMaxLength));
}

uint32_t AAX_CString::MaxLength() const
{
    return kMaxLength;
}

const char* AAX_CString::Get() const
{
    return text.c_str();
}

void AAX_CString::Set (const char* newText)
{
    text = orEmpty (newText);
}

AAX_IString& AAX_CString::operator= (const AAX_IString& other)
{
    if (&other != this)
        text = orEmpty (other.Get());

    return *this;
}

AAX_IString& AAX_CString::operator= (const char* newText)
{
    Set (newText);
    return *this;
}

AAX_CString& AAX_CString::operator= (const AAX_CString& other)
{
    text = other.text;
    return *this;
}

void AAX_CString::Clear()
{
    text.clear();
}

AAX_CString& AAX_CString::Erase (uint32_t position, uint32_t count)
{
    if (position < text.size())
        text.erase (position, std::min<size_t> (count, text.size() - position));

    return *this;
}

AAX_CString& AAX_CString::AppendNumber (double value, int32_t precision)
{
    std::ostringstream stream;
    stream.imbue (std::locale::classic());
    stream.setf (std::ios::fixed, std::ios::floatfield);
    stream.precision (precision);
    stream << value;
    text += stream.str();
    return *this;
}

bool AAX_CString::ToDouble (double* outValue) const
{
    if (outValue == nullptr)
        return false;

    std::istringstream stream (text);
    stream.imbue (std::locale::classic());

    double value = 0.0;

    if (! (stream >> value))
    {
        *outValue = 0.0;
        return false;
    }

    *outValue = value;
    return true;
}

void AAX_CString::SubString (uint32_t position, uint32_t count, AAX_IString* receiver) const
{
    if (receiver == nullptr)
        return;

    if (position >= text.size())
    {
        receiver->Set ("");
        return;
    }

    const std::string part (text, position, count);
    receiver->Set (part.c_str());
}

bool AAX_CString::operator== (const AAX_CString& other) const
{
    return std::strcmp (text.c_str(), other.text.c_str()) == 0;
}

bool AAX_CString::operator!= (const AAX_CString& other) const
{
    return ! operator== (other);
}

char& AAX_CString::operator[] (uint32_t index)
{
    if (index < text.size())
        return text[index];

    thread_local char scratch;
    scratch = 0;
    return scratch;
}

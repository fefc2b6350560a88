#pragma once

// The Debian package fst-dev reconstructs the VST 2.4 host interface
// independently of this project. Its header and the project's own cannot
// share a translation unit (it defines macros such as kVstVersion), so
// FstReference.cpp reads it and hands the facts over in plain types.

#include <cstddef>
#include <string>
#include <vector>

namespace quorvel::fst
{
struct NamedNumber
{
    std::string name;
    long long value;
};

struct Field
{
    std::string name;
    std::size_t offset;
    std::size_t size;
};

struct Layout
{
    std::size_t size;
    std::vector<Field> fields;
};

/** Numbers fst defines with a known value; its placeholder names are left out. */
std::vector<NamedNumber> effectOpcodes();
std::vector<NamedNumber> hostOpcodes();
std::vector<NamedNumber> effectFlags();
std::vector<NamedNumber> plugCategories();
std::vector<NamedNumber> constants();

Layout effectRecord();
Layout speakerProperties();
Layout speakerArrangement();

/** What a host built on fst reads from, and gets back through, a record it was handed. */
struct RecordView
{
    int magic;
    int numPrograms;
    int numParams;
    int numInputs;
    int numOutputs;
    long flags;
    int initialDelay;
    float ioRatio;
    void* object;
    int uniqueID;
    int version;
};

RecordView readRecord (void* effect);
long dispatch (void* effect, int opcode, int index, long value, void* ptr, float opt);
float getParameter (void* effect, int index);
void setParameter (void* effect, int index, float value);
void processReplacing (void* effect, float** inputs, float** outputs, int sampleFrames);
void processDoubleReplacing (void* effect, double** inputs, double** outputs, int sampleFrames);
} // namespace quorvel::fst

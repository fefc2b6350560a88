#include "plugin/vst2/VstBridge.h"

#include "plugin/ProcessorSetup.h"
#include "resources/FaceLayout.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace
{
/** A B-format signal is no loudspeaker layout, so the arrangements are "user defined". */
constexpr VstInt32 userDefinedArrangement = -2;

constexpr auto effectCategory = static_cast<VstPlugCategory> (1);

constexpr int idleRequestsPerSecond = 4;

/** Writes text cut to maxLength bytes (never inside a UTF-8 sequence) and a terminator. */
void writeHostText (const juce::String& text, char* destination, int maxLength)
{
    if (destination != nullptr && maxLength >= 0)
        text.copyToUTF8 (destination, (size_t) maxLength + 1);
}

/** Reads a host's text of at most maxLength bytes; the host may have left off the terminator. */
juce::String readText (const char* text, size_t maxLength)
{
    return text != nullptr ? juce::String::fromUTF8 (text, (int) strnlen (text, maxLength)) : juce::String();
}

bool isText (const char* hostText, const char* known)
{
    return std::strncmp (hostText, known, std::strlen (known) + 1) == 0;
}
} // namespace

//==============================================================================
VstBridge::Parts VstBridge::makeParts()
{
    Parts parts;
    parts.processor = makeQuorvelProcessor (juce::AudioProcessor::wrapperType_VST);
    return parts;
}

VstBridge::VstBridge (audioMasterCallback hostCallback)
    : VstBridge (hostCallback, makeParts())
{
}

VstBridge::VstBridge (audioMasterCallback hostCallback, Parts parts)
    : AudioEffectX (hostCallback, parts.processor->getNumPrograms(), parts.processor->getParameters().size())
    , messageThread (parts.messageThread)
    , processor (std::move (parts.processor))
    , editorRect (std::make_unique<ERect> (ERect { 0, 0, FaceLayout::height, FaceLayout::width }))
{
    for (auto* parameter : processor->getParameters())
        parameters.push_back (parameter);

    processor->setPlayConfigDetails (numChannels, numChannels, getSampleRate(), getBlockSize());
    processor->setPlayHead (&playHead);

    setNumInputs (numChannels);
    setNumOutputs (numChannels);
    setUniqueID (uniqueId);
    canProcessReplacing (true);
    isSynth (false);
    programsAreChunks (true);
    setFlag (effFlagsHasEditor, processor->hasEditor());
    cEffect.version = effectVersion;
    setInitialDelay (processor->getSettledLatencySamples());
    latencyNotice.markTold (processor->getSettledLatencySamples());

    try
    {
        for (auto* arrangement : { &inputArrangement, &outputArrangement })
        {
            if (! allocateArrangement (arrangement, numChannels))
                throw std::bad_alloc();

            (*arrangement)->type = userDefinedArrangement;

            for (int channel = 0; channel < numChannels; ++channel)
                writeHostText (juce::String (channel + 1), (*arrangement)->speakers()[channel].name, 63);
        }
    }
    catch (...)
    {
        // No destructor runs for a half-built bridge: undo here what it would have done.
        deallocateArrangement (&inputArrangement);
        deallocateArrangement (&outputArrangement);
        throw;
    }

    processor->addListener (this);
    messageThread->addNoticeSender (*this);
}

VstBridge::~VstBridge()
{
    messageThread->removeNoticeSender (*this);
    processor->removeListener (this);

    // Only an editor needs the message thread; an effect without one is deleted on the
    // host's thread at once.
    if (editorComponent != nullptr)
    {
        const juce::MessageManagerLock lock;
        stopTimer();
        editorComponent.reset();
    }

    processor.reset();

    if (drivesMessageLoop)
        messageThread->releaseHostDrive();

    deallocateArrangement (&inputArrangement);
    deallocateArrangement (&outputArrangement);
}

//==============================================================================
VstIntPtr VstBridge::dispatcher (VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    // Nothing may cross into the host: a failure inside becomes "not handled".
    try
    {
        return handleOpcode (opcode, index, value, ptr, opt);
    }
    catch (...)
    {
        return 0;
    }
}

VstIntPtr VstBridge::handleOpcode (VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    switch (opcode)
    {
        case effEditGetRect:
            return getEditorRect (ptr);

        case effEditOpen:
            return openEditor (ptr);

        case effEditClose:
            closeEditor();
            return 0;

        case effEditIdle:
            idleEditor();
            return 0;

        default:
            return AudioEffectX::dispatcher (opcode, index, value, ptr, opt);
    }
}

//==============================================================================
VstIntPtr VstBridge::getEditorRect (void* rectangleAddress)
{
    // Hosts ask on any thread, often long before they open the editor; its size is
    // fixed, so no editor is made for the answer and the GUI thread is never waited for.
    if (rectangleAddress == nullptr || ! processor->hasEditor())
        return 0;

    *static_cast<ERect**> (rectangleAddress) = editorRect.get();
    return 1;
}

VstIntPtr VstBridge::openEditor (void* parentWindow)
{
    if (parentWindow == nullptr)
        return 0;

    const juce::MessageManagerLock lock;

    // Without a connection to the host's display there is nothing to embed into.
    if (juce::Desktop::getInstance().getDisplays().getPrimaryDisplay() == nullptr || ! processor->hasEditor())
        return 0;

    if (editorComponent == nullptr)
        editorComponent.reset (processor->createEditorIfNeeded());

    if (editorComponent == nullptr)
        return 0;

    if (editorComponent->isOnDesktop())
        editorComponent->removeFromDesktop();

    // On Linux the host passes its X11 window; the editor becomes a child window of it.
    editorComponent->setOpaque (true);
    editorComponent->setVisible (true);
    editorComponent->addToDesktop (0, parentWindow);
    startTimerHz (idleRequestsPerSecond);
    return 1;
}

void VstBridge::closeEditor()
{
    // Only effEditOpen makes an editor, on the host's GUI thread; with none there is
    // nothing to wait for that thread about.
    if (editorComponent != nullptr)
    {
        const juce::MessageManagerLock lock;
        stopTimer();
        editorComponent.reset();
    }

    if (drivesMessageLoop)
    {
        drivesMessageLoop = false;
        messageThread->releaseHostDrive();
    }
}

void VstBridge::timerCallback()
{
    masterIdle();
}

void VstBridge::idleEditor()
{
    if (editorComponent != nullptr)
        drivesMessageLoop = messageThread->driveFromHost (drivesMessageLoop);
}

//==============================================================================
void VstBridge::prepareProcessor (bool hostRereadsLatency)
{
    const auto rate = sampleRateOrFallback ((double) getSampleRate());
    const auto block = juce::jlimit (1, largestPreparedBlock, getBlockSize() > 0 ? getBlockSize() : 1024);
    const auto offline = getCurrentProcessLevel() == kVstProcessLevelOffline;

    {
        const juce::ScopedLock lock (processor->getCallbackLock());
        processor->setNonRealtime (offline);
        processor->setPlayConfigDetails (numChannels, numChannels, rate, block);
        processor->prepareToPlay (rate, block);
        preparedSampleRate = rate;
        preparedBlockSize = block;
        prepared = true;
    }

    // A host reads initialDelay when a resume returns; a change made while running is
    // left to the message thread to announce.
    if (hostRereadsLatency)
    {
        const std::lock_guard<std::mutex> lock (latencyMutex);
        const auto latency = processor->getSettledLatencySamples();
        setInitialDelay (latency);
        latencyNotice.markTold (latency);
    }
}

void VstBridge::sendHostNotices()
{
    bool latencyChanged = false;

    {
        const std::lock_guard<std::mutex> lock (latencyMutex);
        const auto latency = processor->getSettledLatencySamples();

        if (latencyNotice.shouldTell (latency))
        {
            setInitialDelay (latency);
            latencyChanged = true;
        }
    }

    if (latencyChanged)
        ioChanged();
}

void VstBridge::suspend()
{
    const juce::ScopedLock lock (processor->getCallbackLock());
    prepared = false;
    processor->releaseResources();
}

void VstBridge::resume()
{
    prepareProcessor (true);
    AudioEffectX::resume();
}

void VstBridge::setSampleRate (float newSampleRate)
{
    if (! isUsableSampleRate (newSampleRate))
        return;

    AudioEffectX::setSampleRate (newSampleRate);

    if (prepared && (double) newSampleRate != preparedSampleRate)
        prepareProcessor (false);
}

void VstBridge::setBlockSize (VstInt32 newBlockSize)
{
    if (newBlockSize <= 0)
        return;

    AudioEffectX::setBlockSize (newBlockSize);

    if (prepared && juce::jmin (newBlockSize, largestPreparedBlock) != preparedBlockSize)
        prepareProcessor (false);
}

//==============================================================================
void VstBridge::processReplacing (float** inputs, float** outputs, VstInt32 sampleFrames)
{
    processStep.run (*processor, { inputs, outputs, sampleFrames, false, bypassed }, prepared);
}

void VstBridge::process (float** inputs, float** outputs, VstInt32 sampleFrames)
{
    processStep.run (*processor, { inputs, outputs, sampleFrames, true, bypassed }, prepared);
}

void VstBridge::processDoubleReplacing (double**, double** outputs, VstInt32 sampleFrames)
{
    if (outputs == nullptr || sampleFrames <= 0)
        return;

    for (int channel = 0; channel < numChannels; ++channel)
        if (outputs[channel] != nullptr)
            std::fill (outputs[channel], outputs[channel] + sampleFrames, 0.0);
}

//==============================================================================
juce::AudioProcessorParameter* VstBridge::parameterAt (VstInt32 index) const noexcept
{
    return index >= 0 && (size_t) index < parameters.size() ? parameters[(size_t) index] : nullptr;
}

void VstBridge::setParameter (VstInt32 index, float value)
{
    if (auto* parameter = parameterAt (index); parameter != nullptr && std::isfinite (value))
        parameter->setValue (value);
}

float VstBridge::getParameter (VstInt32 index)
{
    auto* parameter = parameterAt (index);
    return parameter != nullptr ? parameter->getValue() : 0.0f;
}

void VstBridge::getParameterLabel (VstInt32 index, char* label)
{
    auto* parameter = parameterAt (index);
    writeHostText (parameter != nullptr ? parameter->getLabel() : juce::String(), label, maxParameterLabelLength);
}

void VstBridge::getParameterDisplay (VstInt32 index, char* text)
{
    auto* parameter = parameterAt (index);
    writeHostText (parameter != nullptr ? parameter->getCurrentValueAsText() : juce::String(), text, maxParameterDisplayLength);
}

void VstBridge::getParameterName (VstInt32 index, char* text)
{
    auto* parameter = parameterAt (index);
    writeHostText (parameter != nullptr ? parameter->getName (maxParameterNameLength) : juce::String(), text, maxParameterNameLength);
}

bool VstBridge::canParameterBeAutomated (VstInt32 index)
{
    auto* parameter = parameterAt (index);
    return parameter != nullptr && parameter->isAutomatable();
}

bool VstBridge::string2parameter (VstInt32 index, char* text)
{
    auto* parameter = parameterAt (index);

    if (parameter == nullptr || text == nullptr)
        return false;

    // Text that is no number reads as NaN and changes nothing.
    const auto value = parameter->getValueForText (readText (text, 256));

    if (! std::isfinite (value))
        return false;

    parameter->setValue (value);
    return true;
}

//==============================================================================
VstInt32 VstBridge::getProgram()
{
    return processor->getCurrentProgram();
}

void VstBridge::setProgram (VstInt32 program)
{
    if (program >= 0 && program < processor->getNumPrograms())
    {
        processor->setCurrentProgram (program);
        curProgram = program;
    }
}

void VstBridge::setProgramName (char* name)
{
    if (name != nullptr)
        processor->changeProgramName (getProgram(), readText (name, maxProgramNameLength));
}

void VstBridge::getProgramName (char* name)
{
    writeHostText (processor->getProgramName (getProgram()), name, maxProgramNameLength);
}

bool VstBridge::getProgramNameIndexed (VstInt32, VstInt32 index, char* text)
{
    if (text == nullptr || index < 0 || index >= processor->getNumPrograms())
        return false;

    writeHostText (processor->getProgramName (index), text, maxProgramNameLength);
    return true;
}

//==============================================================================
VstInt32 VstBridge::getChunk (void** data, bool isPreset)
{
    if (data == nullptr)
        return 0;

    // The block stays valid until the next call, as hosts expect.
    const std::lock_guard<std::mutex> lock (chunkMutex);
    chunk.reset();

    if (isPreset)
        processor->getCurrentProgramStateInformation (chunk);
    else
        processor->getStateInformation (chunk);

    if (chunk.getSize() == 0 || chunk.getSize() > (size_t) std::numeric_limits<VstInt32>::max())
    {
        *data = nullptr;
        return 0;
    }

    *data = chunk.getData();
    return (VstInt32) chunk.getSize();
}

VstInt32 VstBridge::setChunk (void* data, VstInt32 byteSize, bool)
{
    // The one program's state is the whole state, so a bank and a program restore
    // alike. The answer tells the host whether anything was restored.
    if (data == nullptr || byteSize <= 0)
        return 0;

    return processor->restoreState (data, byteSize) ? 1 : 0;
}

//==============================================================================
bool VstBridge::setSpeakerArrangement (VstSpeakerArrangement* pluginInput, VstSpeakerArrangement* pluginOutput)
{
    return pluginInput != nullptr && pluginOutput != nullptr
           && pluginInput->numChannels == numChannels && pluginOutput->numChannels == numChannels;
}

bool VstBridge::getSpeakerArrangement (VstSpeakerArrangement** pluginInput, VstSpeakerArrangement** pluginOutput)
{
    if (pluginInput == nullptr || pluginOutput == nullptr)
        return false;

    *pluginInput = inputArrangement;
    *pluginOutput = outputArrangement;
    return true;
}

bool VstBridge::setBypass (bool onOff)
{
    bypassed = onOff;
    return true;
}

VstInt32 VstBridge::processEvents (VstEvents*)
{
    // MIDI is accepted, as the processor declares, and has no effect.
    return processor->acceptsMidi() ? 1 : 0;
}

bool VstBridge::getEffectName (char* name)
{
    writeHostText (processor->getName(), name, maxEffectNameLength);
    return name != nullptr;
}

bool VstBridge::getVendorString (char* text)
{
    writeHostText ("Quorvel", text, maxVendorStringLength);
    return text != nullptr;
}

bool VstBridge::getProductString (char* text)
{
    writeHostText (processor->getName(), text, maxProductStringLength);
    return text != nullptr;
}

VstInt32 VstBridge::getVendorVersion()
{
    return vendorVersion;
}

VstInt32 VstBridge::canDo (char* text)
{
    if (text == nullptr)
        return 0;

    const auto acceptsMidi = processor->acceptsMidi();

    if (isText (text, "bypass") || isText (text, "plugAsChannelInsert") || isText (text, "plugAsSend"))
        return 1;

    if (isText (text, "receiveVstEvents") || isText (text, "receiveVstMidiEvent"))
        return acceptsMidi ? 1 : -1;

    if (isText (text, "sendVstEvents") || isText (text, "sendVstMidiEvent") || isText (text, "offline"))
        return -1;

    return 0;
}

VstPlugCategory VstBridge::getPlugCategory()
{
    return effectCategory;
}

//==============================================================================
void VstBridge::audioProcessorParameterChanged (juce::AudioProcessor*, int parameterIndex, float newValue)
{
    // A change made in the editor: the value is already set, so the host is only told.
    callHost (audioMasterAutomate, parameterIndex, 0, nullptr, newValue);
}

void VstBridge::audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails& details)
{
    // Latency changes are polled by sendHostNotices, never told from the changing thread.
    if (details.parameterInfoChanged || details.programChanged)
        updateDisplay();
}

void VstBridge::audioProcessorParameterChangeGestureBegin (juce::AudioProcessor*, int parameterIndex)
{
    beginEdit (parameterIndex);
}

void VstBridge::audioProcessorParameterChangeGestureEnd (juce::AudioProcessor*, int parameterIndex)
{
    endEdit (parameterIndex);
}

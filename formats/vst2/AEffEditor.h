#pragma once

#include "formats/vst2/VstInterface.h"

/** The editor interface the effect base can own and forward editor opcodes to.
    Every operation answers "not handled" unless an editor overrides it. */
class AEffEditor
{
public:
    AEffEditor() = default;
    virtual ~AEffEditor() = default;

    AEffEditor (const AEffEditor&) = delete;
    AEffEditor& operator= (const AEffEditor&) = delete;

    /** Stores the address of the editor's rectangle at *rect. */
    virtual bool getRect (ERect** rect)
    {
        (void) rect;
        return false;
    }

    virtual bool open (void* parentWindow)
    {
        (void) parentWindow;
        return false;
    }

    virtual void close() {}
    virtual void idle() {}

    /** The key code lives only for the duration of the call. */
    virtual bool onKeyDown (VstKeyCode& keyCode)
    {
        (void) keyCode;
        return false;
    }

    virtual bool onKeyUp (VstKeyCode& keyCode)
    {
        (void) keyCode;
        return false;
    }

    virtual bool setKnobMode (VstInt32 mode)
    {
        (void) mode;
        return false;
    }
};

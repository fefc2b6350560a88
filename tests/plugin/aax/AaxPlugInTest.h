#pragma once

#include "formats/aax/AAX_IACFEffectGUI.h"
#include "formats/aax/AAX_PlugInDescription.h"
#include "formats/aax/host/HostAlgorithm.h"
#include "formats/aax/host/HostEffectSession.h"
#include "formats/aax/host/SimulatedHost.h"
#include "support/TestSignals.h"
#include "tests/plugin/aax/QuorvelAaxLibrary.h"

#include <gtest/gtest.h>

#include <memory>

/*  Quorvel.so in the simulated AAX host, the way a host runs it: start-up and
    registration through the exports, the effect made by the routine the description
    registered and initialised with a host instance, its algorithm run through the
    registered process routine, its GUI made by the GUI routine.

    After each test everything is torn down as a host does it, and the fixture checks
    that the library may then be unloaded and that every host object is gone with
    every reference given back.
*/
class AaxPlugInTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    /** ACFStartup and ACFRegisterPlugin; the definition handed back is released. */
    void registerPlugIn();

    /** A new effect object from the registered routine, not yet initialised. */
    HostEffectSession& createEffect();

    /** A new effect object from the registered routine, initialised. */
    HostEffectSession& openEffect();

    /** The effect's algorithm with four channels, its private data reset by the effect. */
    HostAlgorithm& startAlgorithm();

    /** A new GUI object from the registered routine, held by the host through its GUI interface. */
    AAX_IACFEffectGUI* makeGUI();

    /** Runs a whole signal through the algorithm in blocks of blockSize, into separate outputs. */
    quorvel::test::MultiChannelSignal render (const quorvel::test::MultiChannelSignal& input, int blockSize);

    /** The effect's normalised value of a parameter (NaN when the effect does not answer). */
    double valueOf (const char* parameterID);

    /** Gives back the GUI, then the effect and the algorithm, as a host closes a plug-in. */
    void closeEverything();

    const QuorvelAaxLibrary* library = nullptr;
    SimulatedHost host;
    std::unique_ptr<HostEffectSession> effect;
    std::unique_ptr<HostAlgorithm> algorithm;
    AAX_IACFEffectGUI* gui = nullptr;
    bool started = false;
};

/** The same, with the plug-in registered and an effect object open before every test. */
class AaxEffectTest : public AaxPlugInTest
{
protected:
    void SetUp() override;
};

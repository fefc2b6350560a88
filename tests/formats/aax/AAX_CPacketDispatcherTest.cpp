#include "formats/aax/AAX_CPacketDispatcher.h"

#include "formats/aax/AAXTestSupport.h"
#include "formats/aax/AAX_CPacketHandler.h"
#include "formats/aax/AAX_VController.h"
#include "formats/aax/host/AAXHostTest.h"
#include "formats/aax/host/HostEffectInstance.h"
#include "formats/aax/host/HostReference.h"

#include <gmock/gmock.h>

#include <memory>
#include <thread>
#include <vector>

namespace
{
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using DefaultHandler = AAX_CPacketHandler<AAX_CPacketDispatcher>;

constexpr const char* bypassID = "MasterBypassID";

/** One packet as the host received it. */
struct Post
{
    uint32_t port;
    Bytes bytes;

    bool operator== (const Post& other) const { return port == other.port && bytes == other.bytes; }
};

std::ostream& operator<< (std::ostream& stream, const Post& post)
{
    stream << "port " << post.port << ":";

    for (const auto byte : post.bytes)
        stream << " " << static_cast<int> (byte);

    return stream;
}

const Post bypassOff { 3, bytesOf<uint32_t> (0) };
const Post bypassOn { 3, bytesOf<uint32_t> (1) };

class AAX_CPacketDispatcherTest : public AAXHostTest
{
protected:
    AAX_CPacketDispatcherTest()
    {
        effect->AddRef();
        effect->registerParameters();
        dispatcher.Initialize (controller.get(), effect);
    }

    void TearDown() override
    {
        dispatcher.Reset();
        controller.reset();
        effect->Release();
        instance.reset();
        AAXHostTest::TearDown();
    }

    AAX_Result registerDefault (const char* parameterID, int32_t port)
    {
        return dispatcher.RegisterPacket (parameterID, port, DefaultHandler (&dispatcher, &AAX_CPacketDispatcher::WriteParameterValuePacket));
    }

    /** Stores a value the way the host's answer does, without any host involved. */
    void update (const char* parameterID, double normalizedValue)
    {
        effect->GetParameterRegistry().GetParameterByID (parameterID)->UpdateNormalizedValue (normalizedValue);
        EXPECT_EQ (dispatcher.SetDirty (parameterID, true), kAAX_Success);
    }

    std::vector<Post> posts()
    {
        std::vector<Post> received;

        for (const auto& packet : instance->controller().postedPackets())
            received.push_back ({ packet.fieldIndex, packet.bytes });

        return received;
    }

    HostReference<HostEffectInstance> instance = makeHostObject<HostEffectInstance> (host.context());
    std::unique_ptr<AAX_VController> controller = std::make_unique<AAX_VController> (instance->unknown());
    TestEffectParameters* effect = new TestEffectParameters (TestEffectParameters::Setup { true, false, false, { { "0", 0.25f }, { "1", 0.75f } }, kAAX_Success });
    AAX_CPacketDispatcher dispatcher;
};

//==============================================================================
TEST_F (AAX_CPacketDispatcherTest, TheBypassPortIsPostedFirstAndThenAfterEachUpdate)
{
    ASSERT_EQ (registerDefault (bypassID, 3), kAAX_Success);
    EXPECT_EQ (dispatcher.Dispatch(), kAAX_Success);

    update (bypassID, 1.0);
    EXPECT_EQ (dispatcher.Dispatch(), kAAX_Success);
    EXPECT_EQ (dispatcher.Dispatch(), kAAX_Success);
    update (bypassID, 0.0);
    update (bypassID, 0.0);
    EXPECT_EQ (dispatcher.SetDirty ("nobody", true), kAAX_Success);
    EXPECT_EQ (dispatcher.SetDirty (nullptr, true), kAAX_Success);
    dispatcher.Dispatch();
    dispatcher.Dispatch();

    EXPECT_THAT (posts(), ElementsAre (bypassOff, bypassOn, bypassOff));
}

TEST_F (AAX_CPacketDispatcherTest, PostsGoInIdentifierOrderAndASharedPortOncePerDispatch)
{
    registerDefault (bypassID, 3);
    registerDefault ("1", 5);
    registerDefault ("0", 4);
    registerDefault ("1", 7);
    registerDefault ("0", 7);
    dispatcher.Dispatch();

    update ("1", 0.5);
    dispatcher.Dispatch();

    // Port 7 is filled by the first entry in identifier order, whichever marked it dirty.
    EXPECT_THAT (posts(), ElementsAre (Post { 4, bytesOf (0.25f) }, Post { 7, bytesOf (0.25f) }, Post { 5, bytesOf (0.75f) }, bypassOff, Post { 7, bytesOf (0.25f) }, Post { 5, bytesOf (0.5f) }));
}

TEST_F (AAX_CPacketDispatcherTest, FailuresAreMarkedCleanAndOnlyAFailedPostIsReported)
{
    struct Worker
    {
        AAX_Result fill (AAX_CPacket& packet) { return packet.SetValue<int32_t> (-5), kAAX_Success; }
    } worker;

    registerDefault ("late", 2);
    dispatcher.RegisterPacket ("0", 6, AAX_CPacketHandler<Worker> (&worker, static_cast<AAX_CPacketHandler<Worker>::PacketCallback> (nullptr)));
    dispatcher.RegisterPacket ("1", 8, AAX_CPacketHandler<Worker> (&worker, &Worker::fill));
    EXPECT_EQ (dispatcher.Dispatch(), kAAX_Success) << "a handler's failure is not reported";

    // Once its handler could succeed, a failed packet still waits for the next update.
    effect->addParameter (newFloatParameter ("late", 0.5f));
    dispatcher.SetDirty ("0", true);
    EXPECT_EQ (dispatcher.Dispatch(), kAAX_Success);
    dispatcher.SetDirty ("late", true);
    instance->controller().setAnswer (kAAX_ErrorNullObject);
    EXPECT_EQ (dispatcher.Dispatch(), kAAX_ErrorNullObject);
    instance->controller().setAnswer (kAAX_Success);
    EXPECT_EQ (dispatcher.Dispatch(), kAAX_Success) << "a failed post is not retried";

    EXPECT_THAT (posts(), ElementsAre (Post { 8, bytesOf<int32_t> (-5) }, Post { 2, bytesOf (0.5f) }));

    // The host refuses port 8 and accepts port 9 after it, in one walk: the later post decides.
    struct Recovery
    {
        AAX_Result fill (AAX_CPacket& packet) { return controller.setAnswer (kAAX_Success), packet.SetValue<int32_t> (9), kAAX_Success; }
        HostController& controller;
    } recovery { instance->controller() };

    dispatcher.RegisterPacket ("2", 9, AAX_CPacketHandler<Recovery> (&recovery, &Recovery::fill));
    dispatcher.SetDirty ("1", true);
    instance->controller().setAnswer (kAAX_ErrorNullObject);
    EXPECT_EQ (dispatcher.Dispatch(), kAAX_Success);
}

TEST_F (AAX_CPacketDispatcherTest, RegistrationsNeedAPortAnIdentifierAndAController)
{
    EXPECT_EQ (registerDefault ("0", 0), kAAX_Success);
    EXPECT_NE (registerDefault ("0", -1), kAAX_Success);
    EXPECT_NE (registerDefault (nullptr, 3), kAAX_Success);
    dispatcher.SetDirty ("0", true);
    EXPECT_EQ (dispatcher.Dispatch(), kAAX_Success);

    dispatcher.Initialize (nullptr, effect);
    registerDefault (bypassID, 3);
    EXPECT_EQ (dispatcher.Dispatch(), kAAX_ErrorNullObject) << "without a controller packets wait";
    dispatcher.Initialize (controller.get(), effect);
    EXPECT_EQ (dispatcher.Dispatch(), kAAX_Success);
    EXPECT_THAT (posts(), ElementsAre (Post { 0, bytesOf (0.25f) }, bypassOff));

    dispatcher.Reset();
    EXPECT_EQ (dispatcher.SetDirty (bypassID, true), kAAX_Success);
    EXPECT_EQ (dispatcher.Dispatch(), kAAX_Success);
    AAX_CPacket packet (3);
    EXPECT_EQ (dispatcher.WriteParameterValuePacket (bypassID, packet), kAAX_ErrorNullObject) << "reset forgets the effect too";
    EXPECT_EQ (posts().size(), 2u);
}

TEST_F (AAX_CPacketDispatcherTest, HandlersMayCallBackOnTheSameThread)
{
    struct Reentrant
    {
        AAX_Result fill (const char* parameterID, AAX_CPacket& packet)
        {
            dispatcher.SetDirty ("1", false);
            return dispatcher.WriteParameterValuePacket (parameterID, packet);
        }

        AAX_CPacketDispatcher& dispatcher;
    } worker { dispatcher };

    dispatcher.RegisterPacket ("0", 4, AAX_CPacketHandler<Reentrant> (&worker, &Reentrant::fill));
    registerDefault ("1", 5);
    EXPECT_EQ (dispatcher.Dispatch(), kAAX_Success);

    // Still usable from another thread afterwards: the lock was given back.
    std::thread ([this]
                 { update ("0", 1.0); })
        .join();
    dispatcher.Dispatch();
    EXPECT_THAT (posts(), ElementsAre (Post { 4, bytesOf (0.25f) }, Post { 4, bytesOf (1.0f) })) << "the handler cleaned port 5 before its turn";
}

TEST_F (AAX_CPacketDispatcherTest, UpdatesAndDispatchesOnTwoThreads)
{
    // ThreadSanitizer checks the dispatcher's tables and packets, and the last
    // packet posted must carry the last value, however the two interleaved.
    registerDefault (bypassID, 3);
    registerDefault ("0", 4);
    constexpr int rounds = 2000;

    std::thread updates ([this]
                         {
                             for (int i = 1; i <= rounds; ++i)
                             {
                                 update (bypassID, (i % 2) != 0 ? 1.0 : 0.0);
                                 update ("0", i / static_cast<double> (rounds));
                             } });

    for (int i = 0; i < rounds; ++i)
        dispatcher.Dispatch();

    updates.join();
    dispatcher.Dispatch();

    const auto all = posts();
    Post lastBypass { 0, {} }, lastGain { 0, {} };

    for (const auto& packet : all)
        (packet.port == 3 ? lastBypass : lastGain) = packet;

    EXPECT_EQ (lastBypass, bypassOff);
    EXPECT_EQ (lastGain, (Post { 4, bytesOf (1.0f) }));
    EXPECT_LE (all.size(), static_cast<size_t> (2 * rounds + 2));
}
} // namespace

#include "formats/aax/AAX_CPacketDispatcher.h"

#include "formats/aax/AAX_CPacketHandler.h"
#include "formats/aax/AAX_IParameter.h"
#include "formats/aax/AAX_VController.h"
#include "formats/aax/TestEffectParameters.h"
#include "formats/aax/host/AAXHostTest.h"
#include "formats/aax/host/HostEffectInstance.h"
#include "formats/aax/host/HostReference.h"

#include <gmock/gmock.h>

#include <cstring>
#include <memory>
#include <thread>
#include <vector>

namespace
{
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Bytes = std::vector<uint8_t>;
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

template <typename Value>
Bytes bytesOf (Value value)
{
    Bytes bytes (sizeof (Value));
    std::memcpy (bytes.data(), &value, sizeof (Value));
    return bytes;
}

class AAX_CPacketDispatcherTest : public AAXHostTest
{
protected:
    AAX_CPacketDispatcherTest()
    {
        effect->AddRef();
        effect->registerParameters();
    }

    void TearDown() override
    {
        dispatcher.Reset();
        controller.reset();
        effect->Release();
        instance.reset();
        AAXHostTest::TearDown();
    }

    void initialize() { dispatcher.Initialize (controller.get(), effect); }

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
TEST_F (AAX_CPacketDispatcherTest, TheFirstDispatchPostsTheBypassPortUnchanged)
{
    initialize();
    ASSERT_EQ (registerDefault (bypassID, 3), kAAX_Success);

    EXPECT_EQ (dispatcher.Dispatch(), kAAX_Success);
    EXPECT_THAT (posts(), ElementsAre (Post { 3, bytesOf<uint32_t> (0) }));
}

TEST_F (AAX_CPacketDispatcherTest, BypassOnPostsOneAndThenNothingUntilTheNextUpdate)
{
    initialize();
    registerDefault (bypassID, 3);
    dispatcher.Dispatch();

    update (bypassID, 1.0);
    EXPECT_EQ (dispatcher.Dispatch(), kAAX_Success);
    EXPECT_EQ (dispatcher.Dispatch(), kAAX_Success);

    update (bypassID, 0.0);
    update (bypassID, 0.0);
    dispatcher.Dispatch();

    EXPECT_THAT (posts(),
                 ElementsAre (Post { 3, bytesOf<uint32_t> (0) },
                              Post { 3, bytesOf<uint32_t> (1) },
                              Post { 3, bytesOf<uint32_t> (0) }));
}

TEST_F (AAX_CPacketDispatcherTest, UnknownIdentifiersChangeNothing)
{
    initialize();
    registerDefault (bypassID, 3);
    dispatcher.Dispatch();

    EXPECT_EQ (dispatcher.SetDirty ("nobody", true), kAAX_Success);
    EXPECT_EQ (dispatcher.SetDirty (nullptr, true), kAAX_Success);
    EXPECT_EQ (dispatcher.Dispatch(), kAAX_Success);
    EXPECT_EQ (posts().size(), 1u);
}

TEST_F (AAX_CPacketDispatcherTest, PostsGoInIdentifierOrderWithEachParametersValue)
{
    initialize();
    registerDefault (bypassID, 3);
    registerDefault ("1", 5);
    registerDefault ("0", 4);

    dispatcher.Dispatch();
    EXPECT_THAT (posts(),
                 ElementsAre (Post { 4, bytesOf (0.25f) },
                              Post { 5, bytesOf (0.75f) },
                              Post { 3, bytesOf<uint32_t> (0) }));
}

TEST_F (AAX_CPacketDispatcherTest, ASharedPortIsPostedOncePerDispatch)
{
    initialize();
    registerDefault ("1", 7);
    registerDefault ("0", 7);

    dispatcher.Dispatch();
    update ("1", 0.5);
    dispatcher.Dispatch();

    // Filled by the first entry in identifier order, whichever marked it dirty.
    EXPECT_THAT (posts(), ElementsAre (Post { 7, bytesOf (0.25f) }, Post { 7, bytesOf (0.25f) }));
}

TEST_F (AAX_CPacketDispatcherTest, AFailedPostIsReportedAndNotRetried)
{
    initialize();
    registerDefault (bypassID, 3);
    instance->controller().setAnswer (kAAX_ErrorNullObject);

    EXPECT_EQ (dispatcher.Dispatch(), kAAX_ErrorNullObject);
    instance->controller().setAnswer (kAAX_Success);
    EXPECT_EQ (dispatcher.Dispatch(), kAAX_Success);
    EXPECT_EQ (posts().size(), 1u);
}

TEST_F (AAX_CPacketDispatcherTest, FailingHandlersPostNothingAndLeaveTheirPacketClean)
{
    class Worker
    {
    public:
        AAX_Result fill (AAX_CPacket& packet)
        {
            ++calls;
            packet.SetValue<int32_t> (-5);
            return kAAX_Success;
        }

        int calls = 0;
    };

    Worker worker;
    initialize();
    registerDefault ("unknown", 2);
    dispatcher.RegisterPacket ("0", 6, AAX_CPacketHandler<Worker> (&worker, static_cast<AAX_CPacketHandler<Worker>::PacketCallback> (nullptr)));
    dispatcher.RegisterPacket ("1", 8, AAX_CPacketHandler<Worker> (&worker, &Worker::fill));

    EXPECT_EQ (dispatcher.Dispatch(), kAAX_Success) << "a handler's failure is not reported";
    EXPECT_EQ (worker.calls, 1);
    EXPECT_THAT (posts(), ElementsAre (Post { 8, bytesOf<int32_t> (-5) }));

    dispatcher.SetDirty ("unknown", true);
    dispatcher.SetDirty ("0", true);
    EXPECT_EQ (dispatcher.Dispatch(), kAAX_Success);
    EXPECT_EQ (posts().size(), 1u);

    AAX_CPacket packet (1);
    EXPECT_EQ (dispatcher.WriteParameterValuePacket ("unknown", packet), kAAX_ErrorNullObject);
    EXPECT_EQ (packet.GetSize(), 0u);

    // Once the handler could succeed, its packet still waits for the next update.
    effect->addFloatParameter ("unknown", 0.5f);
    EXPECT_EQ (dispatcher.Dispatch(), kAAX_Success);
    EXPECT_EQ (posts().size(), 1u);
    dispatcher.SetDirty ("unknown", true);
    dispatcher.Dispatch();
    EXPECT_EQ (posts().back(), (Post { 2, bytesOf (0.5f) }));
}

TEST_F (AAX_CPacketDispatcherTest, WithoutAControllerPacketsWait)
{
    registerDefault (bypassID, 3);

    EXPECT_EQ (dispatcher.Dispatch(), kAAX_ErrorNullObject);
    EXPECT_THAT (posts(), IsEmpty());

    initialize();
    EXPECT_EQ (dispatcher.Dispatch(), kAAX_Success);
    EXPECT_THAT (posts(), ElementsAre (Post { 3, bytesOf<uint32_t> (0) }));

    dispatcher.Initialize (nullptr, effect);
    EXPECT_EQ (dispatcher.Dispatch(), kAAX_Success) << "nothing dirty, nothing lost";
}

TEST_F (AAX_CPacketDispatcherTest, RegistrationsWithoutAPortOrIdentifierAreRefused)
{
    initialize();
    EXPECT_NE (registerDefault ("0", -1), kAAX_Success);
    EXPECT_NE (registerDefault (nullptr, 3), kAAX_Success);

    EXPECT_EQ (dispatcher.SetDirty ("0", true), kAAX_Success);
    EXPECT_EQ (dispatcher.Dispatch(), kAAX_Success);
    EXPECT_THAT (posts(), IsEmpty());
}

TEST_F (AAX_CPacketDispatcherTest, ResetForgetsRegistrationsAndTheController)
{
    initialize();
    registerDefault (bypassID, 3);
    dispatcher.Reset();

    EXPECT_EQ (dispatcher.SetDirty (bypassID, true), kAAX_Success);
    EXPECT_EQ (dispatcher.Dispatch(), kAAX_Success);
    EXPECT_THAT (posts(), IsEmpty());

    AAX_CPacket packet (3);
    EXPECT_EQ (dispatcher.WriteParameterValuePacket (bypassID, packet), kAAX_ErrorNullObject);
}

TEST_F (AAX_CPacketDispatcherTest, HandlersMayCallBackOnTheSameThread)
{
    class Reentrant
    {
    public:
        explicit Reentrant (AAX_CPacketDispatcher& owner)
            : dispatcher (owner)
        {
        }

        AAX_Result fill (const char* parameterID, AAX_CPacket& packet)
        {
            dispatcher.SetDirty ("1", false);
            return dispatcher.WriteParameterValuePacket (parameterID, packet);
        }

    private:
        AAX_CPacketDispatcher& dispatcher;
    };

    Reentrant worker (dispatcher);
    initialize();
    dispatcher.RegisterPacket ("0", 4, AAX_CPacketHandler<Reentrant> (&worker, &Reentrant::fill));
    registerDefault ("1", 5);

    EXPECT_EQ (dispatcher.Dispatch(), kAAX_Success);
    EXPECT_THAT (posts(), ElementsAre (Post { 4, bytesOf (0.25f) })) << "the handler cleaned port 5 before its turn";

    // Still usable from another thread afterwards: the lock was given back.
    std::thread other ([this]
                       { update ("0", 1.0); });
    other.join();
    dispatcher.Dispatch();
    EXPECT_EQ (posts().back(), (Post { 4, bytesOf (1.0f) }));
}

TEST_F (AAX_CPacketDispatcherTest, HandlerClonesKeepTheirCallbacks)
{
    const DefaultHandler original (&dispatcher, &AAX_CPacketDispatcher::WriteParameterValuePacket);
    std::unique_ptr<AAX_IPacketHandler> clone (original.Clone());
    initialize();

    AAX_CPacket packet (3);
    EXPECT_TRUE (packet.IsDirty());
    EXPECT_EQ (packet.GetSize(), 0u);
    EXPECT_EQ (clone->CallHandler (bypassID, packet), kAAX_Success);
    EXPECT_EQ (packet.GetSize(), 4u);
    EXPECT_EQ (Bytes (static_cast<const uint8_t*> (packet.GetData()), static_cast<const uint8_t*> (packet.GetData()) + 4), bytesOf<uint32_t> (0));

    const AAX_CPacketHandler<AAX_CPacketDispatcher> empty (&dispatcher, static_cast<DefaultHandler::PacketCallback> (nullptr));
    EXPECT_EQ (std::unique_ptr<AAX_IPacketHandler> (empty.Clone())->CallHandler (bypassID, packet), kAAX_ErrorNullObject);
}

//==============================================================================
TEST_F (AAX_CPacketDispatcherTest, UpdatesAndDispatchesOnTwoThreads)
{
    // One host thread delivers updates while another asks for coefficients:
    // ThreadSanitizer checks the dispatcher's tables and packets, and the last
    // packet posted must carry the last value, however the two interleaved.
    initialize();
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

    std::thread coefficients ([this]
                              {
                                  for (int i = 0; i < rounds; ++i)
                                      dispatcher.Dispatch(); });

    updates.join();
    coefficients.join();
    dispatcher.Dispatch();

    const auto all = posts();
    Post lastBypass { 0, {} };
    Post lastGain { 0, {} };

    for (const auto& packet : all)
        (packet.port == 3 ? lastBypass : lastGain) = packet;

    EXPECT_EQ (lastBypass, (Post { 3, bytesOf<uint32_t> (0) }));
    EXPECT_EQ (lastGain, (Post { 4, bytesOf (1.0f) }));
    EXPECT_LE (all.size(), static_cast<size_t> (2 * rounds + 2));
}
} // namespace

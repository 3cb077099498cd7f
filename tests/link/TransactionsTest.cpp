#include "link/Transactions.h"

#include "fakes/RecordingLibrary.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace korvel::link {
namespace {

using Bytes = std::vector<std::uint8_t>;

class TransactionsTest : public ::testing::Test {
protected:
    void write(int address, const Bytes& data) {
        transactions.SendStart(address);
        for (std::uint8_t byte : data) {
            transactions.AddToData(false, byte);
        }
        transactions.SendStop();
    }

    model::StationSettings settings;
    fakes::RecordingLibrary library;
    Transactions transactions{library, settings};
};

TEST_F(TransactionsTest, WritesSendTheAddressAndDataAsOneBlock) {
    struct Case {
        int address;
        Bytes data;
        int count;
        Bytes block;
    };
    const Case cases[] = {
        {0x71, {0x45}, 1, {0x71, 0x45}},
        {0x1F, {}, 0, {0x1F}},
        {0x170, {0x01, 0x02}, 2, {0x70, 0x01, 0x02}}, // only the address's low byte
    };
    for (const Case& c : cases) {
        library.writes.clear();
        write(c.address, c.data);
        ASSERT_EQ(library.writes.size(), 1u);
        EXPECT_EQ(library.writes[0].count, c.count);
        EXPECT_EQ(library.writes[0].block, c.block);
        EXPECT_EQ(transactions.OutCount(), c.count);
    }
}

TEST_F(TransactionsTest, WriteIsOneWholeTransaction) {
    const Bytes data{1, 2, 3};
    transactions.write(0x72, data);
    ASSERT_EQ(library.writes.size(), 1u);
    EXPECT_EQ(library.writes[0].block, (Bytes{0x72, 1, 2, 3}));
    EXPECT_EQ(settings.text("StatusBar1"), "Ready");
}

TEST_F(TransactionsTest, ExcessBytesAreDroppedAt251) {
    write(0x00, Bytes(300, 0xAA));
    ASSERT_EQ(library.writes.size(), 1u);
    EXPECT_EQ(library.writes[0].count, 251);
    EXPECT_EQ(transactions.OutBlock()[251], 0xAA);
    for (std::size_t i = 252; i < 256; ++i) {
        EXPECT_EQ(transactions.OutBlock()[i], 0) << "byte " << i << " is never written";
    }
}

TEST_F(TransactionsTest, StatusFollowsTheTransfer) {
    std::vector<std::string> texts;
    auto listen = settings.subscribe("StatusBar1",
                                     [&](model::Aspect) { texts.push_back(settings.text("StatusBar1")); });
    write(0x0E, {1});
    library.sendSucceeds = false;
    write(0x0E, {0});
    library.receiveSucceeds = false;
    transactions.ReceiveData(0x70, 1);
    EXPECT_EQ(texts, (std::vector<std::string>{"Sending Data...", "Ready", "Sending Data...", "!Ready",
                                               "Receiving Data...", "!Ready"}));
}

TEST_F(TransactionsTest, ReadsReturnTheBytesInOrderThenZero) {
    for (int i = 0; i < 256; ++i) {
        library.memory[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i + 1);
    }
    transactions.ReceiveData(0x00, 255);
    EXPECT_EQ(library.calls.back(), "Receive(0,255)");
    EXPECT_TRUE(transactions.readSucceeded());
    for (int i = 0; i < 251; ++i) {
        ASSERT_EQ(transactions.ReadByte(), i + 1) << "byte " << i;
    }
    EXPECT_EQ(transactions.ReadByte(), 0) << "the 252nd byte is past the readable range";
    EXPECT_EQ(transactions.ReadCursor(), 251);

    transactions.ReceiveData(0x10, 4);
    EXPECT_EQ(transactions.ReadCursor(), 0) << "every read starts at its first byte";
    transactions.setReadCursor(2);
    EXPECT_EQ(transactions.ReadByte(), 0x13);
    transactions.setReadCursor(251);
    EXPECT_EQ(transactions.ReadByte(), 0);
    transactions.setReadCursor(-1);
    EXPECT_EQ(transactions.ReadByte(), 0) << "a cursor before the block reads nothing";
}

TEST_F(TransactionsTest, FailedReadKeepsWhatTheLibraryLeft) {
    library.memory[0x70] = 0x85;
    library.receiveSucceeds = false;
    transactions.ReceiveData(0x70, 1);
    EXPECT_FALSE(transactions.readSucceeded());
    EXPECT_EQ(transactions.ReadByte(), 0x85);
}

TEST_F(TransactionsTest, KeepAliveExistsOnlyFromVersionClassEight) {
    for (int osClass = 1; osClass <= 7; ++osClass) {
        transactions.createKeepAlive(osClass, false);
        EXPECT_FALSE(transactions.KeepAliveActive()) << osClass;
    }
    write(0x0E, {1}); // runs without keep-alive
    EXPECT_EQ(library.writes.size(), 1u);
    transactions.createKeepAlive(8, false);
    EXPECT_TRUE(transactions.KeepAliveActive());
    transactions.destroyKeepAlive();
    EXPECT_FALSE(transactions.KeepAliveActive());
}

TEST_F(TransactionsTest, KeepAliveRunsOnlyDuringATransfer) {
    transactions.createKeepAlive(9, false);
    TVlakno* thread = transactions.keepAliveThread();
    thread->tick(); // a count left over from an earlier transfer
    bool runningInside = false;
    int counterInside = -1;
    library.duringTransfer = [&] {
        runningInside = !thread->suspended();
        counterInside = transactions.KeepAliveCounter();
    };
    EXPECT_TRUE(thread->suspended()) << "created suspended";
    write(0x0E, {1});
    EXPECT_TRUE(runningInside);
    EXPECT_EQ(counterInside, 0) << "each transfer starts counting at zero";
    EXPECT_TRUE(thread->suspended());
    transactions.ReceiveData(0x70, 1);
    EXPECT_TRUE(runningInside);
    EXPECT_TRUE(thread->suspended());
}

TEST_F(TransactionsTest, ALongTransferLooksIntoTheQueueNineTimes) {
    transactions.createKeepAlive(9, false);
    TVlakno* thread = transactions.keepAliveThread();
    library.duringTransfer = [&] {
        for (int tick = 0; tick < 300; ++tick) { // 30 seconds of 100 ms ticks
            thread->tick();
        }
    };
    write(0x00, {});
    EXPECT_EQ(thread->queueLooks(), 9);
    EXPECT_EQ(transactions.KeepAliveCounter(), 300);
}

// The one test with the real thread: it must tick while a transfer runs and never after it.
TEST_F(TransactionsTest, RealThreadTicksDuringATransferAndStopsAfter) {
    transactions.createKeepAlive(9);
    library.duringTransfer = [&] {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (transactions.KeepAliveCounter() < 2 && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    };
    write(0x00, {});
    const int afterTransfer = transactions.KeepAliveCounter();
    EXPECT_GE(afterTransfer, 2);
    std::this_thread::sleep_for(3 * TVlakno::kTick);
    EXPECT_EQ(transactions.KeepAliveCounter(), afterTransfer) << "no ticks between transfers";
    transactions.destroyKeepAlive();
    EXPECT_FALSE(transactions.KeepAliveActive());
}

} // namespace
} // namespace korvel::link

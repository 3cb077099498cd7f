// The dynamic PS as PS messages: the display's labels at its own steps, each change sent once.
#include "uecp/DynamicPsSender.h"

#include <gtest/gtest.h>

namespace korvel::uecp {
namespace {

using kxio::Register;
using Label = DynamicPsSender::Label;

kxio::RegisterMemory dynamicPs(const std::string& text) {
    kxio::RegisterMemory memory{};
    std::fill_n(memory.begin() + 0x02, 8, ' ');
    memory[kxio::index(Register::DpsLength)] = static_cast<std::uint8_t>(text.size());
    memory[kxio::index(Register::DpsLabelPeriod)] = 3; // two seconds: a label lasts several steps
    std::copy(text.begin(), text.end(), memory.begin() + kxio::index(Register::DpsText));
    return memory;
}

struct Recorder {
    kxio::RegisterMemory memory{};
    std::vector<Label> sent;
    bool fail = false;

    DynamicPsSender sender() {
        return DynamicPsSender([this] { return memory; },
                               [this](const Label& label) {
                                   if (!fail) {
                                       sent.push_back(label);
                                   }
                                   return !fail;
                               },
                               false);
    }
};

TEST(DynamicPsSenderTest, EachLabelTheDisplayShowsGoesOnceAtItsStep) {
    Recorder recorder;
    recorder.memory = dynamicPs("ONE TWO THREE");
    auto sender = recorder.sender();
    kxio::DynamicPsDisplay display;
    std::vector<Label> shown;
    for (int step = 0; step < 200; ++step) {
        (void)sender.step();
        const Label label = display.tick(recorder.memory);
        if (shown.empty() || shown.back() != label) {
            shown.push_back(label);
        }
        ASSERT_EQ(recorder.sent, shown) << "step " << step;
    }
    EXPECT_GT(shown.size(), 3u);
}

TEST(DynamicPsSenderTest, NothingGoesWhileTheDynamicPsIsOff) {
    Recorder recorder;
    recorder.memory = dynamicPs("");
    auto sender = recorder.sender();
    for (int step = 0; step < 50; ++step) {
        (void)sender.step();
    }
    EXPECT_TRUE(recorder.sent.empty());
}

TEST(DynamicPsSenderTest, ALabelTheEncoderDidNotTakeGoesAgainAtTheNextStep) {
    Recorder recorder;
    recorder.memory = dynamicPs("ONE TWO THREE");
    auto sender = recorder.sender();
    recorder.fail = true;
    (void)sender.step();
    recorder.fail = false;
    (void)sender.step();
    ASSERT_EQ(recorder.sent.size(), 1u);
}

TEST(DynamicPsSenderTest, AStepLastsOneTransmissionOfThePsLabel) {
    Recorder recorder;
    recorder.memory = dynamicPs("ONE");
    auto sender = recorder.sender();
    const auto group = DynamicPsSender::kGroupDuration;
    EXPECT_EQ(sender.step(), 4 * group);
    recorder.memory[kxio::index(Register::RadiotextControl)] = 1;
    EXPECT_EQ(sender.step(), 5 * group);
    recorder.memory[kxio::index(Register::UserGroupEnable)] = 1;
    EXPECT_EQ(sender.step(), 6 * group);
}

} // namespace
} // namespace korvel::uecp

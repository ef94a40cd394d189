// Stopping, releasing and restarting the packer while its thread runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <thread>

#include "PackTestSupport.h"
#include "fendrel/Fendrel.h"

namespace {

using packtest::fs::path;

class PackLifecycle : public ::testing::Test {
protected:
    void SetUp() override {
        packtest::fs::create_directories(output);
        packtest::fs::create_directories(source / "驱动");
        for (int i = 0; i < 8; ++i) {
            packtest::WriteFile(source / "驱动" / ("part" + std::to_string(i) + ".cab"), 8u << 20,
                                static_cast<std::uint32_t>(i));
        }
    }

    // Slows the packing to several seconds so that it is surely still
    // running when the test interrupts it.
    static void Slow(packtest::PackRecorder& recorder) {
        recorder.onProgress = [](int percent) {
            if (percent > 0) std::this_thread::sleep_for(std::chrono::milliseconds(30));
        };
    }

    void Start(packtest::PackRecorder& recorder) {
        InitDllRes();
        recorder.Register();
        PackOptions options;
        ASSERT_EQ(StartPackageFileToIsoThread(packtest::Wide(source).c_str(), packtest::Wide(iso).c_str(),
                                              &options),
                  0);
    }

    // Nothing arrives any more once the packer has let go.
    static void ExpectSilence(const packtest::PackRecorder& recorder) {
        const std::size_t calls = recorder.calls();
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        EXPECT_EQ(recorder.calls(), calls);
    }

    packtest::ScratchFolder scratch;
    const path source = scratch.path() / "源";
    const path output = scratch.path() / "out";
    const path iso = output / "Driver.iso";
};

TEST_F(PackLifecycle, StopMidwayRemovesTheUnfinishedImageAndEndsTheCallbacks) {
    packtest::PackRecorder recorder;
    Slow(recorder);
    Start(recorder);
    ASSERT_TRUE(recorder.WaitForPercent(1));
    StopPackageIso();

    ExpectSilence(recorder);
    const auto percents = recorder.percents();
    EXPECT_EQ(std::count(percents.begin(), percents.end(), 100), 0);
    EXPECT_TRUE(recorder.errors().empty());
    EXPECT_TRUE(packtest::FolderNames(output).empty());
    ReleaseFileToIsoDllRes();
}

TEST_F(PackLifecycle, ReleaseWithoutStopEndsTheCallbacksBeforeItReturns) {
    auto recorder = std::make_unique<packtest::PackRecorder>();
    Slow(*recorder);
    Start(*recorder);
    ASSERT_TRUE(recorder->WaitForPercent(1));
    ReleaseFileToIsoDllRes();

    ExpectSilence(*recorder);
    EXPECT_TRUE(packtest::FolderNames(output).empty());
    // A late callback would now touch freed memory (caught by the sanitizers).
    recorder.reset();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
}

TEST_F(PackLifecycle, ReleaseRightAfterStartNeverLeavesAnImage) {
    for (int round = 0; round < 10; ++round) {
        packtest::PackRecorder recorder;
        Slow(recorder);
        Start(recorder);
        ReleaseFileToIsoDllRes();
        ExpectSilence(recorder);
        EXPECT_TRUE(recorder.errors().empty());
        EXPECT_TRUE(packtest::FolderNames(output).empty()) << "round " << round;
    }
}

TEST_F(PackLifecycle, SecondStartWhileRunningIsBusyAndTheFirstCompletes) {
    packtest::PackRecorder recorder;
    Start(recorder);
    PackOptions options;
    EXPECT_EQ(StartPackageFileToIsoThread(packtest::Wide(source).c_str(),
                                          packtest::Wide(output / "other.iso").c_str(), &options),
              kFendrelBusy);
    EXPECT_TRUE(recorder.WaitForPercent(100));
    ReleaseFileToIsoDllRes();
    EXPECT_EQ(recorder.errors(), std::vector<int>{kFendrelBusy});
    EXPECT_EQ(packtest::FolderNames(output), std::vector<std::string>{"Driver.iso"});
}

TEST_F(PackLifecycle, EachOpeningPacksAfterThePreviousRelease) {
    for (int opening = 0; opening < 2; ++opening) {
        packtest::fs::remove(iso);
        packtest::PackRecorder recorder;
        packtest::PackAndWait(source, iso, recorder);
        EXPECT_TRUE(recorder.errors().empty()) << "opening " << opening;
        const path extracted = scratch.path() / ("extracted" + std::to_string(opening));
        ASSERT_TRUE(packtest::ExtractWithXorriso(iso, extracted, false));
        EXPECT_EQ(packtest::Snapshot(extracted), packtest::Snapshot(source));
    }
}

}  // namespace

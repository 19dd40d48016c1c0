#include "convert/InOrderWork.h"

#include <atomic>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <thread>

namespace dovrel {
namespace {

using namespace std::chrono_literals;

TEST(InOrderWork, HandsOverResultsInIndexOrderWhateverOrderTheyFinishIn) {
    constexpr std::size_t kCount = 200;
    // Early indices take longest, so later ones are ready first.
    InOrderWork<std::string> work(
        kCount,
        [](std::size_t index) {
            std::this_thread::sleep_for(std::chrono::microseconds((kCount - index) % 7 * 50));
            return "result " + std::to_string(index);
        },
        4, 16);
    for (std::size_t i = 0; i < kCount; ++i) {
        EXPECT_EQ(work.takeNext(nullptr), "result " + std::to_string(i));
    }
}

TEST(InOrderWork, JobsAddedBetweenTakesComeBackInTheOrderAdded) {
    constexpr std::size_t kCount = 100;
    InOrderWork<std::string> work(3, 4);
    std::size_t taken = 0;
    for (std::size_t i = 0; i < kCount; ++i) {
        work.add([i] {
            std::this_thread::sleep_for(std::chrono::microseconds((kCount - i) % 7 * 50));
            return "job " + std::to_string(i);
        });
        while (const std::optional<std::string> ready = work.takeReady()) {
            EXPECT_EQ(*ready, "job " + std::to_string(taken++));
        }
    }
    for (; taken < kCount; ++taken) {
        EXPECT_EQ(work.takeNext(nullptr), "job " + std::to_string(taken));
    }
}

TEST(InOrderWork, WorkersNeverRunMoreThanTheLookAheadPastTheLastTaken) {
    std::atomic<std::size_t> started{0};
    InOrderWork<int> work(
        100,
        [&started](std::size_t index) {
            ++started;
            return static_cast<int>(index);
        },
        3, 5);
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(started.load(), 5u) << "nothing taken yet: only the look-ahead is worked";
    EXPECT_EQ(work.takeNext(nullptr), 0);
    EXPECT_EQ(work.takeNext(nullptr), 1);
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(started.load(), 7u);
}

TEST(InOrderWork, TheTakerIsCalledBackWhileItWaitsAndAThrowingTaskGivesTheDefault) {
    std::atomic<bool> release{false};
    InOrderWork<std::string> work(
        2,
        [&release](std::size_t index) -> std::string {
            while (!release) {
                std::this_thread::sleep_for(1ms);
            }
            if (index == 1) {
                throw std::runtime_error("out of memory");
            }
            return "done";
        },
        2, 2);
    int waits = 0;
    EXPECT_EQ(work.takeNext(
                  [&] {
                      if (++waits == 3) {
                          release = true;
                      }
                  },
                  1ms),
              "done");
    EXPECT_GE(waits, 3);
    EXPECT_EQ(work.takeNext(nullptr), "");
}

TEST(InOrderWork, StopsWithResultsLeftUntakenAndWithNoWorkAtAll) {
    {
        InOrderWork<int> work(
            1000, [](std::size_t index) { return static_cast<int>(index); }, 2, 8);
        EXPECT_EQ(work.takeNext(nullptr), 0);
    }
    InOrderWork<int> none(
        0, [](std::size_t) { return 1; }, 2, 8);
    EXPECT_EQ(none.size(), 0u);
}

} // namespace
} // namespace dovrel

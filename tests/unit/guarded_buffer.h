// A buffer for a routine under test with guard bytes behind it: whatever the
// routine writes past the size it was given lands in the guard.
#ifndef DRIVEWRIGHT_TESTS_GUARDED_BUFFER_H
#define DRIVEWRIGHT_TESTS_GUARDED_BUFFER_H

#include <gtest/gtest.h>

#include <stddef.h>

#include <string>

class GuardedBuffer {
public:
    explicit GuardedBuffer(size_t size, size_t guard = 8) : area_(size + guard, kGuard), size_(size)
    {
    }

    char *data() { return &area_[0]; }
    size_t size() const { return size_; }

    // For EXPECT_TRUE or ASSERT_TRUE: every guard byte as it was laid down.
    ::testing::AssertionResult NothingPast() const
    {
        for (size_t i = size_; i < area_.size(); i++) {
            if (area_[i] != kGuard)
                return ::testing::AssertionFailure()
                       << "written past the buffer of " << size_ << " at " << i;
        }
        return ::testing::AssertionSuccess();
    }

private:
    static const char kGuard = '#';
    std::string area_;
    size_t size_;
};

#endif

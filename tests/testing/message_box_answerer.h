// Answers the message boxes that appear while a test runs, from a thread of
// its own: finds each box by its caption, records its text and presses the
// next button of the list (No once the list is used up).
#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace kl::testing {

class MessageBoxAnswerer {
public:
    MessageBoxAnswerer(std::string caption, std::vector<int> answers);
    ~MessageBoxAnswerer();
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    // Stops watching and returns the texts of the boxes answered so far.
    std::vector<std::string> Stop();
    // The texts of the boxes answered so far, watching on.
    std::vector<std::string> Texts();

private:
    void Watch();

    std::string caption_;
    std::vector<int> answers_;
    std::vector<std::string> texts_;
    std::mutex mutex_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace kl::testing

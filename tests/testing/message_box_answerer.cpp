#include "testing/message_box_answerer.h"

namespace kl::testing {

namespace {

BOOL CALLBACK FindText(HWND child, LPARAM param) {
    char cls[32] = {}, text[1024] = {};
    GetClassNameA(child, cls, sizeof cls);
    if (lstrcmpiA(cls, "Static") == 0 && GetWindowTextA(child, text, sizeof text) > 0) {
        *reinterpret_cast<std::string*>(param) = text;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

MessageBoxAnswerer::MessageBoxAnswerer(std::string caption, std::vector<int> answers)
    : caption_(std::move(caption)), answers_(std::move(answers)), thread_([this] { Watch(); }) {}

MessageBoxAnswerer::~MessageBoxAnswerer() { Stop(); }

std::vector<std::string> MessageBoxAnswerer::Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    std::lock_guard lock(mutex_);
    return texts_;
}

std::vector<std::string> MessageBoxAnswerer::Texts() {
    std::lock_guard lock(mutex_);
    return texts_;
}

void MessageBoxAnswerer::Watch() {
    std::size_t next = 0;
    while (!stop_) {
        HWND box = FindWindowA("#32770", caption_.c_str());
        if (!box || !IsWindowVisible(box)) {
            Sleep(20);
            continue;
        }
        std::string text;
        EnumChildWindows(box, FindText, reinterpret_cast<LPARAM>(&text));
        {
            std::lock_guard lock(mutex_);
            texts_.push_back(text);
        }
        const int answer = next < answers_.size() ? answers_[next] : IDNO;
        ++next;
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(GetDlgItem(box, answer), BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
        // Wait for this box to go before looking for the next one.
        for (int i = 0; i < 250 && IsWindow(box) && !stop_; ++i) Sleep(20);
    }
}

}  // namespace kl::testing

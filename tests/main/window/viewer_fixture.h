// keyloom.exe in English whose viewer (of documents or of help pages, named by an
// environment variable it inherits) is launch_target.exe, which logs what it was
// started with: no real viewer or browser starts.
#pragma once

#include <windows.h>

#include <fstream>
#include <string>

#include "model/language.h"
#include "e2e_fixture.h"
#include "testing/files.h"
#include "testing/support_library.h"
#include "testing/temp_dir.h"

namespace kl::testing {

class ViewerEndToEnd : public EndToEnd {
protected:
    explicit ViewerEndToEnd(const char* viewerVariable) : viewerVariable_(viewerVariable) {}

    Language english_;
    TempDir dir_;
    std::string log_;

    void SetUp() override {
        english_.SetDataDirectory(BinDir());
        english_.SetLanguageFile("english");
        ASSERT_EQ(english_.Load(), LanguageStatus::Loaded);
        Options(true);
        log_ = dir_.path() + "viewer.log";
        SetEnvironmentVariableA(viewerVariable_, (TestExeDir() + "launch_target.exe").c_str());
        SetEnvironmentVariableA("KL_LAUNCH_LOG", log_.c_str());
    }
    void TearDown() override {
        EndToEnd::TearDown();
        SetEnvironmentVariableA(viewerVariable_, nullptr);
        SetEnvironmentVariableA("KL_LAUNCH_LOG", nullptr);
    }
    void Command(int id) { PostMessageA(main_, WM_COMMAND, id, 0); }
    // What the viewer was last started with ("" before the first).
    std::string LastViewed() const {
        std::ifstream in(log_);
        std::string line, last;
        while (std::getline(in, line))
            if (!line.empty()) last = line.substr(line.rfind('\t') + 1);
        return last;
    }

private:
    const char* viewerVariable_;
};

}  // namespace kl::testing

#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

// An Xorg server on the dummy video driver, whose RandR can really switch sizes (Xvfb cannot).
// It runs on a display number the server picks itself (-displayfd), with its configuration and
// log in a private temporary folder, and is stopped by the destructor.
class DisplayDummyServer {
public:
    // modes: the names of the modes the screen offers, first one in use, e.g. {"1024x768", "800x600"}.
    explicit DisplayDummyServer(const std::vector<std::string>& modes);
    ~DisplayDummyServer();
    DisplayDummyServer(const DisplayDummyServer&) = delete;
    DisplayDummyServer& operator=(const DisplayDummyServer&) = delete;

    bool Running() const { return pid_ > 0; }
    const std::string& DisplayName() const { return displayName_; }  // ":N"
    const std::string& Problem() const { return problem_; }          // why it is not running

    void Stop();

    // Where the Xorg binary is (KENO_TEST_XORG overrides the search), or empty when it is not installed.
    static std::string FindXorg();

private:
    void Start(const std::string& xorg, const std::string& config);
    std::string LogTail() const;

    std::string folder_;
    std::string configPath_;
    std::string logPath_;
    std::string displayName_;
    std::string problem_;
    pid_t pid_ = -1;
};

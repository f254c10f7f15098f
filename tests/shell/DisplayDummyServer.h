#pragma once
// An Xorg server on the dummy video driver (xorg-dummy.conf), whose RandR can really switch sizes
// (Xvfb cannot), on a display number of its own choosing; stopped when destroyed.
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

class DisplayDummyServer {
public:
    DisplayDummyServer() {
        const std::string xorg = FindXorg(), config = KENO_XORG_DUMMY_CONF;
        int ends[2];
        if (xorg.empty() || pipe(ends) != 0) {
            problem_ = "no Xorg (xserver-xorg-video-dummy)";
            return;
        }
        // The server writes its display number to the pipe once it accepts clients; one that dies
        // first closes it.
        fcntl(ends[0], F_SETFD, FD_CLOEXEC);
        std::vector<std::string> args{xorg, "-displayfd", std::to_string(ends[1]), "-noreset", "-nolisten", "tcp",
                                      "-config", config, "-logfile", log_, "-novtswitch", "-sharevts", "-quiet"};
        std::vector<char*> argv;
        for (std::string& arg : args) argv.push_back(arg.data());
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, xorg.c_str(), nullptr, nullptr, argv.data(), environ) != 0) pid_ = -1;
        close(ends[1]);
        char c = 0;
        while (pid_ > 0 && read(ends[0], &c, 1) == 1 && c != '\n') displayName_ += c;
        close(ends[0]);
        if (displayName_.size() < 2) {
            Stop();
            std::ifstream text(log_);
            problem_ = "Xorg did not come up; its log:\n" + std::string(std::istreambuf_iterator<char>(text), {});
        }
    }
    ~DisplayDummyServer() { Stop(); std::remove(log_.c_str()); }

    bool Running() const { return pid_ > 0; }
    const std::string& DisplayName() const { return displayName_; }  // ":N"
    const std::string& Problem() const { return problem_; }          // why it is not running

    // Where Xorg can run (as root, to read a chosen configuration) a failed start is a failure.
    static bool Required() { return !FindXorg().empty() && geteuid() == 0; }

    void Stop() {
        if (pid_ > 0 && kill(pid_, SIGTERM) == 0) waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

    // KENO_TEST_XORG overrides the place ("" pretends there is no Xorg).
    static std::string FindXorg() {
        const char* chosen = std::getenv("KENO_TEST_XORG");
        const char* xorg = chosen ? chosen : "/usr/lib/xorg/Xorg";
        return access(xorg, X_OK) == 0 ? xorg : "";
    }

private:
    std::string log_ = "/tmp/keno-xorg-" + std::to_string(getpid()) + ".log", displayName_ = ":", problem_;
    pid_t pid_ = -1;
};
